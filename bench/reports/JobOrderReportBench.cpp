// The job-order report over "(Tutte)" with all five sub-reports, written to PDF, at 1 000 and at
// 4 000 job orders (generated databases of scale 0.5 and 2), side by side with its floor: every
// sub-report's rows read in one grouped query each through bare SQLite, plus a bare QPdfWriter
// loop painting the same pages. Medians of 5 repetitions (3 at 4 000 job orders, to keep the bench
// within minutes), in CPU time: both sides run on one thread, and CPU time stays fair on a shared
// machine. Prints the ratio to the floor (limit 2
// at 1 000 job orders), the growth from 1 000 to 4 000 job orders (limit 4.5) and the heap peak
// of a run over the heap before it (limit at 4 000 job orders: 1.3 times that at 1 000).
// With BENCH_REPORT_SCALE set (10 gives 20 000 job orders and 1 000 000 cost rows) it runs the
// report once on that database instead and prints its time and peak memory.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

#include "bench/data/BenchSupport.h"
#include "bench/data/Generator.h"
#include "core/Globals.h"
#include "platform/report/ExportFilter.h"
#include "platform/report/PagePainter.h"
#include "reports/arp_o_Com01.h"

namespace {

constexpr double kRatioLimit = 2;
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

struct Database {
  std::unique_ptr<benchdata::GeneratedDatabase> data;
  report::Pages pages;  // the report's pages, for the floor's painting
  double peakBytes = 0;
};

std::map<int, Database> g_databases;  // by job orders
QString g_pdf;

std::size_t heapInUse() { return mallinfo2().uordblks; }

// Runs the report over all job orders of the database at the current ConnString to the PDF file;
// gives the heap's peak during the run over the heap before it, read after every page when
// `measureHeap` (reading it costs more as the heap grows, so all repetitions but one leave it out).
double reportToPdf(bool measureHeap = true) {
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

void BM_ReportToPdf(benchmark::State& state) {
  Database& database = g_databases.at(int(state.range(0)));
  ConnString = database.data->connectionString();
  // The heap is read during the first repetition only.
  for (auto _ : state)
    database.peakBytes = std::max(database.peakBytes, reportToPdf(database.peakBytes == 0));
  state.counters["peak MB"] = database.peakBytes / 1e6;
}

void readGrouped(const QString& path) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  for (const char* sql : kGroupedQueries) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
      std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
      std::abort();
    }
    while (sqlite3_step(statement) == SQLITE_ROW)
      for (int i = 0; i < sqlite3_column_count(statement); ++i)
        if (sqlite3_column_type(statement, i) == SQLITE_TEXT)
          benchmark::DoNotOptimize(
              QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i))));
        else
          benchmark::DoNotOptimize(sqlite3_column_double(statement, i));
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
}

// The same pages painted with nothing but QPainter calls: each text at its baseline point, with no
// alignment, wrapping or clipping, the font changed only with the style.
void paintBare(const report::Pages& pages) {
  QPdfWriter writer(g_pdf);
  writer.setResolution(1440);
  writer.setPageSize(report::pageSizeOf(pages.front().size));
  writer.setPageMargins(QMarginsF());
  QPainter painter(&writer);
  struct StyleFont {
    report::TextStyle style;
    QFont font;
    double ascent;
  };
  std::vector<StyleFont> fonts;
  for (size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) writer.newPage();
    const StyleFont* current = nullptr;
    for (const report::PageItem& item : pages[p].items) {
      if (item.kind == report::PageItem::Kind::Text) {
        if (!current || !(current->style == item.style)) {
          auto it = std::find_if(fonts.begin(), fonts.end(),
                                 [&item](const StyleFont& f) { return f.style == item.style; });
          if (it == fonts.end()) {
            const QFont font = report::twipsFont(item.style);
            it = fonts.insert(fonts.end(), {item.style, font, QFontMetricsF(font).ascent()});
          }
          painter.setFont(it->font);
          current = &*it;
        }
        painter.drawText(QPointF(item.rect.left(), item.rect.top() + current->ascent), item.text);
      } else if (item.kind == report::PageItem::Kind::Line) {
        painter.drawLine(item.line);
      } else {
        painter.drawRect(item.rect);
      }
    }
  }
}

void BM_Floor(benchmark::State& state) {
  Database& database = g_databases.at(int(state.range(0)));
  if (database.pages.empty()) {
    ConnString = database.data->connectionString();
    arp_o_Com01 report;
    report.dc1.setConnectionString(ConnString);
    report.dc1.setSource(kQuery);
    report.Run();
    database.pages = report.pages();
  }
  for (auto _ : state) {
    readGrouped(database.data->path());
    paintBare(database.pages);
  }
  state.counters["pages"] = double(database.pages.size());
}

BENCHMARK(BM_ReportToPdf)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
BENCHMARK(BM_ReportToPdf)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_Floor)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
BENCHMARK(BM_Floor)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

// Keeps the median CPU time of each benchmark's repetitions.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
        m_medians[run.run_name.str()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  double median(const std::string& name) const {
    const auto it = m_medians.find(name);
    return it == m_medians.end() ? -1 : it->second;
  }

 private:
  std::map<std::string, double> m_medians;
};

benchdata::GeneratorSizes sizesOf(double scale) { return benchdata::GeneratorSizes().scaled(scale); }

// One run on a large database: its time and the process's peak resident memory.
int runLarge(double scale) {
  const benchdata::GeneratedDatabase database(sizesOf(scale));
  if (database.path().isEmpty()) return 1;
  ConnString = database.connectionString();
  g_pdf = QFileInfo(database.path()).dir().filePath("commesse.pdf");
  QElapsedTimer timer;
  timer.start();
  const double peak = reportToPdf();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("scala %.1f: %d commesse, %d costi: %.1f s, picco heap del report %.0f MB, picco RSS %.0f MB\n",
              scale, sizesOf(scale).jobOrders, sizesOf(scale).costRows, timer.elapsed() / 1000.0, peak / 1e6,
              usage.ru_maxrss / 1024.0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (qEnvironmentVariableIsSet("BENCH_REPORT_SCALE"))
    return runLarge(qEnvironmentVariable("BENCH_REPORT_SCALE").toDouble());
  benchmark::Initialize(&argc, argv);
  for (const auto& [jobOrders, scale] : {std::pair{1000, 0.5}, {4000, 2.0}}) {
    g_databases[jobOrders].data = std::make_unique<benchdata::GeneratedDatabase>(sizesOf(scale));
    if (g_databases[jobOrders].data->path().isEmpty()) return 1;
  }
  g_pdf = QFileInfo(g_databases[1000].data->path()).dir().filePath("commesse.pdf");

  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double small = reporter.median("BM_ReportToPdf/1000/iterations:1/repeats:5");
  const double large = reporter.median("BM_ReportToPdf/4000/iterations:1/repeats:3");
  const double floorSmall = reporter.median("BM_Floor/1000/iterations:1/repeats:5");
  const double floorLarge = reporter.median("BM_Floor/4000/iterations:1/repeats:3");
  if (small <= 0 || large <= 0 || floorSmall <= 0 || floorLarge <= 0) return 0;
  const double ratio = small / floorSmall;
  const double growth = large / small;
  const double memory = g_databases[4000].peakBytes / std::max(1.0, g_databases[1000].peakBytes);
  std::printf("1000 commesse: report %.0f ms, pavimento %.0f ms, rapporto %.2f (limite %.1f)\n", small,
              floorSmall, ratio, kRatioLimit);
  std::printf("4000 commesse: report %.0f ms, pavimento %.0f ms, rapporto %.2f\n", large, floorLarge,
              large / floorLarge);
  std::printf("crescita 4000/1000: %.2f (limite %.1f)\n", growth, kGrowthLimit);
  std::printf("picco heap: %.1f MB a 1000, %.1f MB a 4000, rapporto %.2f (limite %.1f)\n",
              g_databases[1000].peakBytes / 1e6, g_databases[4000].peakBytes / 1e6, memory, kMemoryLimit);
  const bool ok = ratio <= kRatioLimit && growth <= kGrowthLimit && memory <= kMemoryLimit;
  std::puts(ok ? "OK" : "FUORI LIMITE");
  return ok ? 0 : 1;
}
