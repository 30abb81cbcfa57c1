// A register of cost rows grouped by job order, run and exported to PDF, at 1 000 and 10 000 rows,
// beside its floor: the same rows read through bare SQLite and the register's pages painted by a
// bare QPdfWriter loop, each text at its point. Each repetition runs the register and then its
// floor; medians of 5 repetitions in CPU time. Prints the milliseconds per page of both and their
// ratio (limit 1.5 at both sizes).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <map>

#include "bench/data/BenchSupport.h"
#include "bench/data/Generator.h"
#include "bench/report/PdfFloor.h"
#include "platform/report/ExportFilter.h"
#include "platform/report/Report.h"

namespace {

constexpr double kRatioLimit = 1.5;
constexpr int kRows[] = {1000, 10000};

QString g_connection;
QString g_databasePath;

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

struct Measures {
  benchreport::BarePages pages;  // the register's pages, which the floor paints
  benchreport::PairedTimes times;
};
std::map<int, Measures> g_measures;  // by rows

void BM_RunToPdfBesideFloor(benchmark::State& state) {
  const int rows = int(state.range(0));
  Measures& measures = g_measures[rows];
  QTemporaryDir dir;
  const QString pdfPath = dir.filePath("registro.pdf");
  if (measures.pages.count() == 0) {
    CostRegister r;
    r.dc1.setConnectionString(g_connection);
    r.dc1.setSource(limited(rows));
    r.Run(measures.pages);
  }
  const QByteArray sql = limited(rows).toUtf8();
  for (auto _ : state)
    measures.times.add(
        [&] {
          CostRegister r;
          r.dc1.setConnectionString(g_connection);
          r.dc1.setSource(limited(rows));
          report::PdfExport pdf;
          pdf.setFileName(pdfPath);
          r.Export(pdf);
        },
        [&] {
          benchreport::readBare(g_databasePath, sql.constData());
          measures.pages.paint(pdfPath);
        });
  state.counters["pagine"] = double(measures.pages.count());
}

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
  g_databasePath = database.path();
  for (int rows : kRows)
    benchmark::RegisterBenchmark("BM_RunToPdfBesideFloor", BM_RunToPdfBesideFloor)
        ->Arg(rows)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(benchdata::kRepetitions);

  benchmark::RunSpecifiedBenchmarks();
  bool ok = true;
  for (const auto& [rows, measures] : g_measures) {
    const double pages = double(measures.pages.count());
    const double ratio = measures.times.measuredMedian() / measures.times.floorMedian();
    std::printf(
        "%d righe, %.0f pagine: registro in PDF %.2f ms/pagina, pavimento %.2f ms/pagina, rapporto %.2f "
        "(limite %.1f)\n",
        rows, pages, measures.times.measuredMedian() / pages, measures.times.floorMedian() / pages, ratio,
        kRatioLimit);
    ok = ok && ratio <= kRatioLimit;
  }
  std::puts(ok ? "OK" : "FUORI LIMITE");
  return ok ? 0 : 1;
}
