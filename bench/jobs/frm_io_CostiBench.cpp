// The cost window opened on the busiest day of the first open job order, in a database of 1 000 000
// cost rows: its three grids, its lists and drop-downs, next to the same queries run through bare
// SQLite. The ratio must stay under 3 and the window under 50 ms.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <cstdio>

#include "bench/data/BenchSupport.h"
#include "bench/data/Generator.h"
#include "core/Globals.h"
#include "jobs/CostQueries.h"
#include "jobs/frm_io_Costi.h"
#include "platform/db/JetSql.h"
#include "platform/grid/GridEX.h"

namespace {

constexpr double kRatioLimit = 3.0;
constexpr double kWindowLimitMs = 50.0;

QString g_path;
QString g_job;
QDate g_day;

// Every query the window runs to open on a day, as Jet SQL.
QStringList windowQueries() {
  QStringList queries{QStringLiteral("SELECT CodCom, IdModello, EcoTar FROM Commesse WHERE Chiusa=False ORDER BY CodCom"),
                      costs::employeesSql, costs::articlesSql};
  for (costs::CostClass costClass : {costs::Labour, costs::Materials, costs::OtherCosts})
    queries << costs::daySql(g_job, g_day, costClass);
  queries << costs::unitsSql << costs::categoriesSql << costs::quoteLinesSql(g_job);
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
  const QStringList queries = windowQueries();
  for (auto _ : state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(g_path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    readBare(db, queries);
    sqlite3_close(db);
  }
}

void BM_OpenCostWindowOnADay(benchmark::State& state) {
  frm_io_Costi window;
  for (auto _ : state) {
    window.Apri(g_day);
    QCoreApplication::processEvents();
    state.counters["righe"] = window.gexMan->rowCount() + window.gexMat->rowCount() + window.gexAC->rowCount();
  }
}

BENCHMARK(BM_BareSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCostWindowOnADay)->Unit(benchmark::kMillisecond);

// The busiest day of the first open job order.
void chooseDay() {
  sqlite3* db = nullptr;
  sqlite3_open_v2(g_path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT CodCom, Data FROM Costi WHERE CodCom = (SELECT min(CodCom) FROM Commesse WHERE "
                     "Chiusa = 0) GROUP BY Data ORDER BY count(*) DESC LIMIT 1",
                     -1, &s, nullptr);
  if (sqlite3_step(s) == SQLITE_ROW) {
    g_job = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    g_day = QDate::fromString(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 1))), Qt::ISODate);
  }
  sqlite3_finalize(s);
  sqlite3_close(db);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchdata::GeneratorSizes sizes;
  sizes.costRows = 1000000;
  const benchdata::GeneratedDatabase database(sizes);
  if (database.path().isEmpty()) return 1;
  g_path = database.path();
  ConnString = database.connectionString();
  chooseDay();
  std::printf("Commessa %s, giorno %s\n", qPrintable(g_job), qPrintable(g_day.toString(Qt::ISODate)));

  benchdata::TimingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double bare = reporter.milliseconds("BM_BareSqlite");
  const double window = reporter.milliseconds("BM_OpenCostWindowOnADay");
  if (bare <= 0 || window <= 0) return 0;
  const double ratio = window / bare;
  const bool ok = ratio < kRatioLimit && window < kWindowLimitMs;
  std::printf("Finestra / SQLite: %.2f (limite %.1f); finestra %.1f ms (limite %.0f ms) %s\n", ratio, kRatioLimit,
              window, kWindowLimitMs, ok ? "OK" : "TROPPO LENTO");
  return ok ? 0 : 1;
}
