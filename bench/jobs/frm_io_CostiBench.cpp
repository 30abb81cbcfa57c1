// The cost window opened on the busiest day of the first open job order: its three grids, its lists
// and drop-downs. Next to it, the floor: the same queries through bare SQLite on a handle kept open.
// Two sizes: 200 000 and 1 000 000 cost rows. The ratio of the medians must stay under 1.5 and the
// window under 50 ms.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/data/BenchSupport.h"
#include "bench/data/Generator.h"
#include "core/Globals.h"
#include "jobs/CostQueries.h"
#include "jobs/frm_io_Costi.h"
#include "platform/db/JetSql.h"
#include "platform/grid/GridEX.h"

namespace {

constexpr double kRatioLimit = 1.5;
constexpr double kWindowLimitMs = 50.0;
constexpr int kCostRows[] = {200000, 1000000};

// A generated database and the day the window opens on.
struct SizedData {
  std::unique_ptr<benchdata::GeneratedDatabase> database;
  QString job;
  QDate day;
};
std::vector<SizedData> g_data;

// Every query the window runs to open on a day, as Jet SQL.
QStringList windowQueries(const SizedData& data) {
  QStringList queries{
      QStringLiteral("SELECT CodCom, IdModello, EcoTar FROM Commesse WHERE Chiusa=False ORDER BY CodCom"),
      costs::employeesSql, costs::articlesSql};
  for (costs::CostClass costClass : {costs::Labour, costs::Materials, costs::OtherCosts})
    queries << costs::daySql(data.job, data.day, costClass);
  queries << costs::unitsSql << costs::categoriesSql << costs::quoteLinesSql(data.job);
  return queries;
}

// Reads every value of every row of the queries, on one connection.
void readBare(sqlite3* db, const QStringList& queries) {
  for (const QString& jet : queries) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, db::translateJet(jet).toUtf8().constData(), -1, &s, nullptr);
    while (sqlite3_step(s) == SQLITE_ROW)
      for (int c = 0; c < sqlite3_column_count(s); ++c) benchmark::DoNotOptimize(sqlite3_column_text(s, c));
    sqlite3_finalize(s);
  }
}

void BM_BareSqlite(benchmark::State& state) {
  const SizedData& data = g_data[std::size_t(state.range(0))];
  const QStringList queries = windowQueries(data);
  sqlite3* db = nullptr;
  sqlite3_open_v2(data.database->path().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
  for (auto _ : state) readBare(db, queries);
  sqlite3_close(db);
}

void BM_OpenCostWindowOnADay(benchmark::State& state) {
  const SizedData& data = g_data[std::size_t(state.range(0))];
  ConnString = data.database->connectionString();
  frm_io_Costi window;
  for (auto _ : state) {
    window.Apri(data.day);
    QCoreApplication::processEvents();
    state.counters["righe"] =
        window.gexMan->rowCount() + window.gexMat->rowCount() + window.gexAC->rowCount();
  }
}

// Each size's two sides one after the other, so that both meet the machine in the same state.
BENCHMARK(BM_OpenCostWindowOnADay)
    ->Unit(benchmark::kMillisecond)
    ->Arg(0)
    ->Repetitions(benchdata::kRepetitions);
BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMillisecond)->Arg(0)->Repetitions(benchdata::kRepetitions);
BENCHMARK(BM_OpenCostWindowOnADay)
    ->Unit(benchmark::kMillisecond)
    ->Arg(1)
    ->Repetitions(benchdata::kRepetitions);
BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMillisecond)->Arg(1)->Repetitions(benchdata::kRepetitions);

// The busiest day of the first open job order.
void chooseDay(SizedData& data) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(data.database->path().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT CodCom, Data FROM Costi WHERE CodCom = (SELECT min(CodCom) FROM Commesse WHERE "
                     "Chiusa = 0) GROUP BY Data ORDER BY count(*) DESC LIMIT 1",
                     -1, &s, nullptr);
  if (sqlite3_step(s) == SQLITE_ROW) {
    data.job = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    data.day = QDate::fromString(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 1))),
                                 Qt::ISODate);
  }
  sqlite3_finalize(s);
  sqlite3_close(db);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  for (const int costRows : kCostRows) {
    benchdata::GeneratorSizes sizes;
    sizes.costRows = costRows;
    SizedData data{std::make_unique<benchdata::GeneratedDatabase>(sizes), {}, {}};
    if (data.database->path().isEmpty()) return 1;
    chooseDay(data);
    std::printf("%d righe di costo: commessa %s, giorno %s\n", costRows, qPrintable(data.job),
                qPrintable(data.day.toString(Qt::ISODate)));
    g_data.push_back(std::move(data));
  }

  benchdata::TimingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  bool ok = true;
  for (std::size_t i = 0; i < g_data.size(); ++i) {
    const std::string arg = "/" + std::to_string(i);
    const double bare = reporter.milliseconds("BM_BareSqlite" + arg);
    const double window = reporter.milliseconds("BM_OpenCostWindowOnADay" + arg);
    if (bare <= 0 || window <= 0) continue;
    const double ratio = window / bare;
    const bool fast = ratio <= kRatioLimit && window < kWindowLimitMs;
    std::printf(
        "%d righe di costo: finestra %.3f ms, SQLite diretto %.3f ms (mediane), rapporto %.2f (limite %.1f) "
        "%s\n",
        kCostRows[i], window, bare, ratio, kRatioLimit, fast ? "OK" : "TROPPO LENTO");
    ok = ok && fast;
  }
  return ok ? 0 : 1;
}
