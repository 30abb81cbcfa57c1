// The job-order report over "(Tutte)" with all five sub-reports, written to PDF, at 1 000 and at
// 4 000 job orders (generated databases of scale 0.5 and 2), beside its floor: every sub-report's
// rows read in one grouped query each through bare SQLite, and the report's pages painted by a
// bare QPdfWriter loop, each text at its point. Each repetition runs the report and then its
// floor, the repetitions of both sizes in random turns; medians of 5 repetitions, in CPU time:
// both sides run on one thread, and CPU time stays fair on a shared machine. Prints the
// milliseconds per page of both and their ratio (limit 1.5 at both sizes), the growth from 1 000
// to 4 000 job orders (limit 4.5) and the heap peak of a run over the heap before it, read in a
// run of its own before the repetitions (limit at 4 000 job orders: 1.3 times that at 1 000).
// With BENCH_REPORT_SCALE set (10 gives 20 000 job orders and 1 000 000 cost rows) it runs the
// report once on that database instead and prints its time and peak memory.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/data/BenchSupport.h"
#include "bench/data/Generator.h"
#include "bench/report/PdfFloor.h"
#include "core/Globals.h"
#include "platform/report/ExportFilter.h"
#include "reports/arp_o_Com01.h"

namespace {

constexpr double kRatioLimit = 1.5;
constexpr double kGrowthLimit = 4.5;
constexpr double kMemoryLimit = 1.3;
const QString kQuery = QStringLiteral(
    "SELECT Commesse.*, CliFor.Nome FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = CliFor.IdCliFor");

// Every sub-report's rows for all job orders, one grouped query each.
const char* const kGroupedQueries[] = {
    "SELECT Commesse.*, CliFor.Nome FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = CliFor.IdCliFor",
    "SELECT CodCom, InEconomia, Classe, Sum(Quantita*CostoUnitario), Sum(Quantita*PrezzoUnitario), "
    "Sum(Quantita) "
    "FROM Costi GROUP BY CodCom, InEconomia, Classe",
    "SELECT CodCom, Sum(Prezzo) FROM CommessePre GROUP BY CodCom",
    "SELECT p.CodCom, p.Codice, p.Descrizione, p.Tariffa, p.UM, p.Quantita, p.QPrev, p.Prezzo, "
    "IFNULL(s.CostoTotale, 0), p.Prezzo - IFNULL(s.CostoTotale, 0) FROM CommessePre p LEFT JOIN "
    "(SELECT IdStima, CodCom, Round(Sum(Valore), 4) AS CostoTotale FROM Costi GROUP BY IdStima, CodCom) s "
    "ON p.IdVocePre = s.IdStima AND p.CodCom = s.CodCom ORDER BY p.CodCom, p.Codice",
    "SELECT Costi.*, Impiegati.Cognome, Impiegati.Nome, CommessePre.Codice, CommessePre.Descrizione FROM "
    "Costi "
    "INNER JOIN Impiegati ON Costi.CodImp = Impiegati.CodImp LEFT JOIN CommessePre ON Costi.IdStima = "
    "CommessePre.IdVocePre AND Costi.CodCom = CommessePre.CodCom ORDER BY Costi.CodCom, Costi.Data DESC",
    "SELECT Costi.*, CommessePre.Codice, CommessePre.Descrizione FROM Costi LEFT JOIN CommessePre ON "
    "Costi.IdStima = "
    "CommessePre.IdVocePre AND Costi.CodCom = CommessePre.CodCom WHERE Costi.Classe = 2 "
    "ORDER BY Costi.CodCom, Costi.Data DESC",
    "SELECT Costi.*, CommessePre.Codice, CommessePre.Descrizione, _Pars.s01 FROM Costi LEFT JOIN CommessePre "
    "ON "
    "Costi.IdStima = CommessePre.IdVocePre AND Costi.CodCom = CommessePre.CodCom INNER JOIN _Pars ON "
    "Costi.Tipo = _Pars.l01 WHERE Costi.Classe = 3 AND _Pars.k01 = 'catcos' ORDER BY Costi.CodCom, "
    "Costi.Data DESC",
};

struct Size {
  int jobOrders;
  double scale;
};
constexpr Size kSizes[] = {{1000, 0.5}, {4000, 2.0}};

struct Database {
  std::unique_ptr<benchdata::GeneratedDatabase> data;
  benchreport::BarePages pages;  // the report's pages, which the floor paints
  double peakBytes = 0;
  benchreport::PairedTimes times;
};

std::map<int, Database> g_databases;  // by job orders
QString g_pdf;

std::size_t heapInUse() { return mallinfo2().uordblks; }

// Runs the report over all job orders of the database at the current ConnString to the PDF file;
// gives the heap's peak during the run over the heap before it, read after every page when
// `measureHeap` (reading it costs more as the heap grows, so the timed runs leave it out).
double reportToPdf(bool measureHeap) {
  arp_o_Com01 report;
  report.dc1.setConnectionString(ConnString);
  report.dc1.setSource(kQuery);
  const std::size_t before = heapInUse();
  std::size_t peak = before;
  if (measureHeap) report.setPageMade([&peak](int) { peak = std::max(peak, heapInUse()); });
  report::PdfExport pdf;
  pdf.setFileName(g_pdf);
  report.Export(pdf);
  return double(peak - before);
}

// Reads the heap's peak in a run of its own and keeps the report's pages for the floor.
void prepare(Database& database) {
  ConnString = database.data->connectionString();
  database.peakBytes = reportToPdf(true);
  arp_o_Com01 report;
  report.dc1.setConnectionString(ConnString);
  report.dc1.setSource(kQuery);
  report.Run(database.pages);
}

void BM_ReportBesideFloor(benchmark::State& state) {
  Database& database = g_databases.at(int(state.range(0)));
  if (database.pages.count() == 0) prepare(database);
  ConnString = database.data->connectionString();
  for (auto _ : state)
    database.times.add([] { reportToPdf(false); },
                       [&database] {
                         for (const char* sql : kGroupedQueries)
                           benchreport::readBare(database.data->path(), sql);
                         database.pages.paint(g_pdf);
                       });
  state.counters["pagine"] = double(database.pages.count());
  state.counters["peak MB"] = database.peakBytes / 1e6;
}

benchdata::GeneratorSizes sizesOf(double scale) { return benchdata::GeneratorSizes().scaled(scale); }

// One run on a large database: its time and the process's peak resident memory.
int runLarge(double scale) {
  const benchdata::GeneratedDatabase database(sizesOf(scale));
  if (database.path().isEmpty()) return 1;
  ConnString = database.connectionString();
  g_pdf = QFileInfo(database.path()).dir().filePath("commesse.pdf");
  QElapsedTimer timer;
  timer.start();
  const double peak = reportToPdf(true);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("scala %.1f: %d commesse, %d costi: %.1f s, picco heap del report %.0f MB, picco RSS %.0f MB\n",
              scale, sizesOf(scale).jobOrders, sizesOf(scale).costRows, timer.elapsed() / 1000.0, peak / 1e6,
              usage.ru_maxrss / 1024.0);
  return 0;
}

// Prints the report beside its floor for each size that ran; false when a limit is passed.
bool compare() {
  bool ok = true;
  for (const Size& size : kSizes) {
    const Database& database = g_databases.at(size.jobOrders);
    if (database.times.empty()) continue;
    const double pages = double(database.pages.count());
    const double ratio = database.times.measuredMedian() / database.times.floorMedian();
    std::printf(
        "%d commesse, %.0f pagine: report %.2f ms/pagina, pavimento %.2f ms/pagina, rapporto %.2f (limite "
        "%.1f)\n",
        size.jobOrders, pages, database.times.measuredMedian() / pages, database.times.floorMedian() / pages,
        ratio, kRatioLimit);
    ok = ok && ratio <= kRatioLimit;
  }
  const Database& small = g_databases.at(kSizes[0].jobOrders);
  const Database& large = g_databases.at(kSizes[1].jobOrders);
  if (small.times.empty() || large.times.empty()) return ok;
  const double growth = large.times.measuredMedian() / small.times.measuredMedian();
  const double memory = large.peakBytes / std::max(1.0, small.peakBytes);
  std::printf("crescita %d/%d: %.2f (limite %.1f)\n", kSizes[1].jobOrders, kSizes[0].jobOrders, growth,
              kGrowthLimit);
  std::printf("picco heap: %.1f MB a %d, %.1f MB a %d, rapporto %.2f (limite %.1f)\n", small.peakBytes / 1e6,
              kSizes[0].jobOrders, large.peakBytes / 1e6, kSizes[1].jobOrders, memory, kMemoryLimit);
  return ok && growth <= kGrowthLimit && memory <= kMemoryLimit;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (qEnvironmentVariableIsSet("BENCH_REPORT_SCALE"))
    return runLarge(qEnvironmentVariable("BENCH_REPORT_SCALE").toDouble());
  // The repetitions of both sizes take turns in random order, so that both meet the machine (and
  // the process) in the same state and the growth compares like with like.
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  std::vector<char*> arguments(argv, argv + argc);
  arguments.insert(arguments.begin() + 1, interleave.data());
  int count = int(arguments.size());
  benchmark::Initialize(&count, arguments.data());
  for (const Size& size : kSizes) {
    Database& database = g_databases[size.jobOrders];
    database.data = std::make_unique<benchdata::GeneratedDatabase>(sizesOf(size.scale));
    if (database.data->path().isEmpty()) return 1;
    benchmark::RegisterBenchmark("BM_ReportBesideFloor", BM_ReportBesideFloor)
        ->Arg(size.jobOrders)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(benchdata::kRepetitions);
  }
  g_pdf = QFileInfo(g_databases.at(kSizes[0].jobOrders).data->path()).dir().filePath("commesse.pdf");

  benchmark::RunSpecifiedBenchmarks();
  const bool ok = compare();
  std::puts(ok ? "OK" : "FUORI LIMITE");
  return ok ? 0 : 1;
}
