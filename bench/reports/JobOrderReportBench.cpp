// The job-order report of 1 000 job orders (20 000 cost rows) with all five sub-reports on a
// generated database, run to pages and exported to PDF, next to the same queries run alone through
// the data layer (each sub-report's query on a connection of its own, as the report runs it).
// Prints the pages per
// second, the ratio of the two times, which must stay under 4, and the memory a page costs: the
// heap held after the run over the number of pages, at 250 and at 1 000 job orders, so that a run's
// memory is seen to grow with its pages only.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "bench/data/BenchSupport.h"
#include "bench/data/Generator.h"
#include "core/Globals.h"
#include "core/JobSummary.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/report/ExportFilter.h"
#include "reports/arp_com_det_prev.h"
#include "reports/arp_o_Com01.h"
#include "reports/arp_o_det_AC.h"
#include "reports/arp_o_det_manodopera.h"
#include "reports/arp_o_det_materiali.h"

namespace {

constexpr double kLimit = 4;
const QString kQuery =
    QStringLiteral("SELECT Commesse.*, CliFor.Nome FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = CliFor.IdCliFor");

QString g_pdf;
double g_bytesPerPage[2] = {0, 0};

void prepare(arp_o_Com01& report, int jobOrders) {
  report.dc1.setConnectionString(ConnString);
  report.dc1.setSource(kQuery + QStringLiteral(" WHERE Commesse.rowid <= %1").arg(jobOrders));
}

std::size_t heapInUse() { return mallinfo2().uordblks; }

void BM_JobOrderReportToPdf(benchmark::State& state) {
  std::size_t pages = 0;
  for (auto _ : state) {
    arp_o_Com01 report;
    prepare(report, 1000);
    report.Run();
    report::PdfExport pdf;
    pdf.setFileName(g_pdf);
    pdf.Export(report.pages());
    pages = report.pages().size();
  }
  state.counters["pages"] = double(pages);
  state.counters["pages/s"] = benchmark::Counter(double(pages) * double(state.iterations()), benchmark::Counter::kIsRate);
}

void readAll(db::Connection& cn, const QString& sql) {
  db::Recordset rs;
  rs.Open(sql, cn, db::adOpenForwardOnly, db::adLockReadOnly);
  for (; !rs.isEOF(); rs.MoveNext())
    for (int i = 0; i < rs.FieldCount(); ++i) benchmark::DoNotOptimize(rs.Value(i));
}

void BM_SameQueriesAlone(benchmark::State& state) {
  for (auto _ : state) {
    db::Connection main;
    main.Open(ConnString);
    db::Recordset rs;
    rs.Open(kQuery + " WHERE Commesse.rowid <= 1000", main, db::adOpenForwardOnly, db::adLockReadOnly);
    for (; !rs.isEOF(); rs.MoveNext()) {
      for (int i = 0; i < rs.FieldCount(); ++i) benchmark::DoNotOptimize(rs.Value(i));
      const QString code = rs.Value(QStringLiteral("CodCom")).toString();
      db::Connection summary;
      summary.Open(ConnString);
      benchmark::DoNotOptimize(JobSummary::read(summary, code));
      for (const QString& sql : {arp_com_det_prev::Query(code), arp_o_det_manodopera::Query(code),
                                 arp_o_det_materiali::Query(code), arp_o_det_AC::Query(code)}) {
        db::Connection cn;
        cn.Open(ConnString);
        readAll(cn, sql);
      }
    }
  }
}

// The heap held by a report's pages after a run, per page.
void BM_MemoryPerPage(benchmark::State& state) {
  const int jobOrders = int(state.range(0));
  double perPage = 0;
  for (auto _ : state) {
    arp_o_Com01 report;
    prepare(report, jobOrders);
    const std::size_t before = heapInUse();
    report.Run();
    const std::size_t after = heapInUse();
    perPage = double(after - before) / double(std::max<std::size_t>(1, report.pages().size()));
  }
  state.counters["bytes/page"] = perPage;
  g_bytesPerPage[jobOrders == 1000 ? 1 : 0] = perPage;
}

BENCHMARK(BM_JobOrderReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SameQueriesAlone)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_MemoryPerPage)->Arg(250)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchdata::GeneratorSizes sizes = benchdata::GeneratorSizes().scaled(0.5);
  sizes.costRows = 20000;
  const benchdata::GeneratedDatabase database(sizes);
  if (database.path().isEmpty()) return 1;
  ConnString = database.connectionString();
  g_pdf = QFileInfo(database.path()).dir().filePath("commesse.pdf");

  benchdata::TimingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double report = reporter.milliseconds("BM_JobOrderReportToPdf/iterations:1");
  const double alone = reporter.milliseconds("BM_SameQueriesAlone/iterations:1");
  if (report < 0 || alone <= 0) return 0;
  const double ratio = report / alone;
  std::printf("report + PDF / query sole: %.2f (limite %.0f) %s\n", ratio, kLimit, ratio < kLimit ? "OK" : "TROPPO LENTO");
  std::printf("memoria per pagina: %.0f byte a 250 commesse, %.0f byte a 1000 commesse\n", g_bytesPerPage[0],
              g_bytesPerPage[1]);
  return ratio < kLimit ? 0 : 1;
}
