// One cost day: the queries the cost window runs to open on the busiest day of the first open job
// order, read whole through the data layer (a connection opened as the window does), and the
// window itself with its three grids, lists and drop-downs. Next to them, the floor: the same
// queries written here as SQLite runs them, prepared and stepped on a handle kept open, each value
// read in its stored type; nothing of the program's own code. Two sizes: 200 000 and 1 000 000 cost
// rows, the three taking turns run by run. The queries must stay under 1.5 times their floor; the
// window, which also builds and paints its grids, under 50 ms (its ratio is printed for information).
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

// A text as an SQL literal.
std::string quoted(const QString& text) {
  return "'" + QString(text).replace('\'', "''").toStdString() + "'";
}

// The same queries as SQLite SQL, with the job order and the day written in.
std::vector<std::string> bareQueries(const SizedData& data) {
  const std::string job = quoted(data.job);
  const std::string day = "'" + data.day.toString(Qt::ISODate).toStdString() + "'";
  std::vector<std::string> queries{
      "SELECT CodCom, IdModello, EcoTar FROM Commesse WHERE Chiusa=0 ORDER BY CodCom",
      "SELECT CodImp, ifnull(Cognome, '') || ' ' || ifnull(Nome, '') AS Impiegato FROM Impiegati ORDER BY "
      "Cognome",
      "SELECT Codice, Descrizione, Costo, Prezzo FROM Articoli ORDER BY Codice"};
  for (const char* costClass : {"0", "2", "3"})
    queries.push_back("SELECT * FROM Costi WHERE CodCom=" + job + " AND Data=" + day +
                      " AND Classe=" + costClass);
  queries.push_back("SELECT Codice, Descrizione FROM Liste WHERE Chiave='um' ORDER BY Codice");
  queries.push_back("SELECT l01, s01 FROM _Pars WHERE k01='catcos' ORDER BY s01");
  queries.push_back("SELECT Codice, Descrizione, IdVocePre FROM CommessePre WHERE CodCom=" + job +
                    " ORDER BY Codice");
  return queries;
}

// One value in the type SQLite holds it in; a text becomes the QString any Qt window needs to show it.
void readValue(sqlite3_stmt* s, int column) {
  switch (sqlite3_column_type(s, column)) {
    case SQLITE_INTEGER: benchmark::DoNotOptimize(sqlite3_column_int64(s, column)); break;
    case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(s, column)); break;
    case SQLITE_TEXT:
      benchmark::DoNotOptimize(QString::fromUtf8(
          reinterpret_cast<const char*>(sqlite3_column_text(s, column)), sqlite3_column_bytes(s, column)));
      break;
    case SQLITE_BLOB: benchmark::DoNotOptimize(sqlite3_column_blob(s, column)); break;
    default: break;
  }
}

// Reads every value of every row of the queries, on one handle; returns the rows read.
int readBare(sqlite3* db, const std::vector<std::string>& queries) {
  int rows = 0;
  for (const std::string& sql : queries) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &s, nullptr);
    const int columns = sqlite3_column_count(s);
    for (; sqlite3_step(s) == SQLITE_ROW; ++rows)
      for (int c = 0; c < columns; ++c) readValue(s, c);
    sqlite3_finalize(s);
  }
  return rows;
}

void BM_BareSqlite(benchmark::State& state) {
  const SizedData& data = g_data[std::size_t(state.range(0))];
  const std::vector<std::string> queries = bareQueries(data);
  sqlite3* db = nullptr;
  sqlite3_open_v2(data.database->path().toUtf8().constData(), &db,
                  SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  for (auto _ : state) state.counters["righe"] = readBare(db, queries);
  sqlite3_close(db);
}

void BM_DayQueriesThroughRecordsets(benchmark::State& state) {
  const SizedData& data = g_data[std::size_t(state.range(0))];
  const QStringList queries = windowQueries(data);
  for (auto _ : state) {
    db::Connection connection;
    connection.Open(data.database->connectionString());
    int rows = 0;
    for (const QString& jet : queries) {
      db::Recordset rs;
      rs.Open(jet, connection, db::adOpenForwardOnly, db::adLockReadOnly, db::adCmdText);
      for (; !rs.isEOF(); rs.MoveNext(), ++rows)
        for (int c = 0; c < rs.FieldCount(); ++c) benchmark::DoNotOptimize(rs.Value(c));
    }
    state.counters["righe"] = rows;
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

  benchdata::TimingReporter reporter;
  benchdata::runInterleaved(reporter,
                            {{"BM_DayQueriesThroughRecordsets", BM_DayQueriesThroughRecordsets},
                             {"BM_OpenCostWindowOnADay", BM_OpenCostWindowOnADay},
                             {"BM_BareSqlite", BM_BareSqlite}},
                            int(g_data.size()));
  const bool ok = benchdata::compareWithFloors(
      reporter,
      {{"query del giorno", "BM_DayQueriesThroughRecordsets", "BM_BareSqlite", kRatioLimit, kWindowLimitMs},
       {"finestra", "BM_OpenCostWindowOnADay", "BM_BareSqlite", 0, kWindowLimitMs}},
      benchdata::sizeLabels(kCostRows, "righe di costo"));
  return ok ? 0 : 1;
}
