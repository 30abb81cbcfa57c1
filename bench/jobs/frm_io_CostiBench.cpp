// One cost day: the queries the cost window runs to open on the busiest day of the first open job
// order, read whole through the data layer (a connection opened as the window does), and the
// window itself with its three grids, lists and drop-downs. Next to them, the floor: the same queries
// through bare SQLite on a handle kept open. Two sizes: 200 000 and 1 000 000 cost rows. The queries
// must stay under 1.5 times their floor; the window, which also builds and paints its grids, under
// 50 ms (its ratio is printed for information).
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
#include "platform/db/Connection.h"
#include "platform/db/JetSql.h"
#include "platform/db/Recordset.h"
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

void BM_DayQueriesThroughRecordsets(benchmark::State& state) {
  const SizedData& data = g_data[std::size_t(state.range(0))];
  const QStringList queries = windowQueries(data);
  for (auto _ : state) {
    db::Connection connection;
    connection.Open(data.database->connectionString());
    for (const QString& jet : queries) {
      db::Recordset rs;
      rs.Open(jet, connection, db::adOpenForwardOnly, db::adLockReadOnly, db::adCmdText);
      for (; !rs.isEOF(); rs.MoveNext())
        for (int c = 0; c < rs.FieldCount(); ++c) benchmark::DoNotOptimize(rs.Value(c));
    }
  }
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

  benchdata::registerBySize({{"BM_DayQueriesThroughRecordsets", BM_DayQueriesThroughRecordsets},
                             {"BM_OpenCostWindowOnADay", BM_OpenCostWindowOnADay},
                             {"BM_BareSqlite", BM_BareSqlite}},
                            int(g_data.size()));
  benchdata::TimingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::vector<std::string> labels;
  for (const int costRows : kCostRows) labels.push_back(std::to_string(costRows) + " righe di costo");
  const bool queriesFast = benchdata::compareWithFloor(
      reporter,
      {"query del giorno", "BM_DayQueriesThroughRecordsets", "BM_BareSqlite", kRatioLimit, kWindowLimitMs},
      labels);
  const bool windowFast = benchdata::compareWithFloor(
      reporter, {"finestra", "BM_OpenCostWindowOnADay", "BM_BareSqlite", 0, kWindowLimitMs}, labels);
  const bool ok = queriesFast && windowFast;
  return ok ? 0 : 1;
}
