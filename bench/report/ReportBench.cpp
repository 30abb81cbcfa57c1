// A register of cost rows grouped by job order, run to pages and exported to PDF, next to reading
// the same rows through the data layer alone. Prints pages per second and the ratio of a run to
// the bare read.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>

#include "bench/data/BenchSupport.h"
#include "bench/data/Generator.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/report/ExportFilter.h"
#include "platform/report/Report.h"

namespace {

QString g_connection;

class CostRegister : public report::Report {
 public:
  CostRegister() {
    using namespace report;
    Section& ph = addSection(SectionType::PageHeader, "PageHeader", 500);
    ph.addLabel("lblTitle", QRect(0, 0, 6000, 360), "Registro costi").style().bold = true;
    ph.addLine("Line1", QPoint(0, 450), QPoint(9700, 450));
    m_group = &addGroupHeader("ghCommessa", 360);
    m_code = &m_group->addLabel("lblCommessa", QRect(0, 60, 4000, 280), QString());
    Section& detail = addSection(SectionType::Detail, "Detail", 260);
    detail.addField("txtData", QRect(0, 0, 1100, 255), "Data", "dd-mm-yyyy");
    detail.addField("txtCodice", QRect(1200, 0, 1600, 255), "Codice");
    detail.addField("txtDescrizione", QRect(2900, 0, 3800, 255), "Descrizione");
    detail.addField("txtQuantita", QRect(6800, 0, 1000, 255), "Quantita", "#,##0.00").style().alignment =
        Qt::AlignRight;
    detail.addField("txtValore", QRect(7900, 0, 1700, 255), "Valore", "##,##0.00").style().alignment =
        Qt::AlignRight;
    Section& pf = addSection(SectionType::PageFooter, "PageFooter", 300);
    m_page = &pf.addField("txtPagina", QRect(7000, 0, 2600, 255), QString());
  }

 protected:
  void FetchData(bool eof) override {
    if (!eof) m_group->setBreakValue(dc1.value("CodCom"));
  }
  void Format(report::Section& section) override {
    if (&section == m_group) m_code->setCaption("Commessa " + m_group->breakValue().toString());
    if (section.type() == report::SectionType::PageFooter)
      m_page->setText(QStringLiteral("Pagina %1").arg(pageNumber()));
  }

 private:
  report::GroupHeader* m_group;
  report::Label* m_code;
  report::Field* m_page;
};

QString limited(int rows) {
  return QStringLiteral("SELECT * FROM Costi WHERE IdCosto <= %1 ORDER BY CodCom, Data").arg(rows);
}

void BM_ReadThroughDataLayer(benchmark::State& state) {
  for (auto _ : state) {
    db::Connection connection;
    connection.Open(g_connection);
    db::Recordset rs;
    rs.Open(limited(int(state.range(0))), connection);
    for (; !rs.isEOF(); rs.MoveNext())
      for (int i = 0; i < rs.FieldCount(); ++i) benchmark::DoNotOptimize(rs.Value(i));
  }
}

void BM_RunToPages(benchmark::State& state) {
  for (auto _ : state) {
    CostRegister r;
    r.dc1.setConnectionString(g_connection);
    r.dc1.setSource(limited(int(state.range(0))));
    r.Run();
    benchmark::DoNotOptimize(r.pages().size());
  }
}

void BM_RunToPdf(benchmark::State& state) {
  QTemporaryDir dir;
  size_t pages = 0;
  for (auto _ : state) {
    CostRegister r;
    r.dc1.setConnectionString(g_connection);
    r.dc1.setSource(limited(int(state.range(0))));
    r.Run();
    report::PdfExport pdf;
    pdf.setFileName(dir.filePath("registro.pdf"));
    pdf.Export(r.pages());
    pages = r.pages().size();
  }
  state.counters["pagine"] = double(pages);
  state.counters["pagine/s"] =
      benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_ReadThroughDataLayer)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunToPages)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunToPdf)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchdata::GeneratorSizes sizes;
  sizes.costRows = 10000;
  const benchdata::GeneratedDatabase database(sizes);
  if (database.path().isEmpty()) return 1;
  g_connection = database.connectionString();

  benchdata::TimingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const char* rows : {"1000", "10000"}) {
    const double read = reporter.milliseconds(std::string("BM_ReadThroughDataLayer/") + rows);
    const double run = reporter.milliseconds(std::string("BM_RunToPdf/") + rows);
    if (read > 0 && run > 0)
      std::printf("%s righe: report in PDF / sola lettura dati = %.1f\n", rows, run / read);
  }
  return 0;
}
