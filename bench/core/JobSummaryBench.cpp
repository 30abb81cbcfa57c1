// The economic summary of one job order as the summary window and the report read it: a connection
// opened on the file, the ten sums through JobSummary, Connection and Recordset. Next to it, the floor:
// the same ten SQL texts as SQLite runs them, each prepared and stepped through the bare SQLite API on
// a handle kept open. The data layer keeps its handle open between connections as well, so the
// connection a summary opens costs only its checks (about a hundredth of a summary); the rest is
// SQLite finding the job order's scattered cost rows, on both sides. Two sizes: 200 000 cost rows
// over 1 000 job orders and 1 000 000 over 5 000. The summaries are also read on one connection opened
// beforehand, which shows what the connection per summary costs. The three take turns, run by run;
// prints the ratio of the medians, which must stay under 1.2, and fails when a summary takes 20 ms
// or more.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/data/BenchSupport.h"
#include "bench/data/Generator.h"
#include "core/JobSummary.h"
#include "platform/db/Connection.h"

namespace {

constexpr double kLimit = 1.2;
constexpr double kMaxMilliseconds = 20;

struct Size {
  int jobOrders;
  int costRows;
};
constexpr Size kSizes[] = {{1000, 200000}, {5000, 1000000}};

struct SizedData {
  std::unique_ptr<benchdata::GeneratedDatabase> database;
  std::vector<std::string> codes;
};
std::vector<SizedData> g_data;

// The ten sums as SQLite runs them, each followed by the quoted code.
const char* const kSums[] = {
    "SELECT Sum(Prezzo) AS V FROM CommessePre WHERE CodCom=",
    "SELECT Sum(Quantita*PrezzoUnitario) AS V FROM Costi WHERE InEconomia=1 AND CodCom=",
    "SELECT Sum(Quantita*CostoUnitario) AS V FROM Costi WHERE InEconomia=0 AND Classe=0 AND CodCom=",
    "SELECT Sum(Quantita*CostoUnitario) AS V FROM Costi WHERE InEconomia=1 AND Classe=0 AND CodCom=",
    "SELECT Sum(Quantita*CostoUnitario) AS V FROM Costi WHERE InEconomia=0 AND Classe=2 AND CodCom=",
    "SELECT Sum(Quantita*CostoUnitario) AS V FROM Costi WHERE InEconomia=1 AND Classe=2 AND CodCom=",
    "SELECT Sum(Quantita*CostoUnitario) AS V FROM Costi WHERE InEconomia=0 AND Classe=3 AND CodCom=",
    "SELECT Sum(Quantita*CostoUnitario) AS V FROM Costi WHERE InEconomia=1 AND Classe=3 AND CodCom=",
    "SELECT Sum(Quantita) AS Q FROM Costi WHERE InEconomia=0 AND Classe=0 AND CodCom=",
    "SELECT Sum(Quantita) AS Q FROM Costi WHERE InEconomia=1 AND Classe=0 AND CodCom=",
};

// The summary of the next job order in the list.
void readNextSummary(db::Connection& connection, const SizedData& data, std::size_t& next) {
  const JobSummary summary =
      JobSummary::readWithHours(connection, QString::fromStdString(data.codes[next++ % data.codes.size()]));
  benchmark::DoNotOptimize(summary.V[JobSummary::Total][JobSummary::ProfitOrLoss]);
}

void BM_JobSummary(benchmark::State& state) {
  const SizedData& data = g_data[std::size_t(state.range(0))];
  const QString connectionString = data.database->connectionString();
  std::size_t next = 0;
  for (auto _ : state) {
    db::Connection connection;
    connection.Open(connectionString);
    readNextSummary(connection, data, next);
  }
}

// The same summaries on one connection opened beforehand: what the connection per summary costs.
void BM_JobSummaryOnOpenConnection(benchmark::State& state) {
  const SizedData& data = g_data[std::size_t(state.range(0))];
  db::Connection connection;
  connection.Open(data.database->connectionString());
  std::size_t next = 0;
  for (auto _ : state) readNextSummary(connection, data, next);
}

void BM_BareSqliteSums(benchmark::State& state) {
  const SizedData& data = g_data[std::size_t(state.range(0))];
  sqlite3* db = nullptr;
  sqlite3_open_v2(data.database->path().toUtf8().constData(), &db,
                  SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  std::size_t next = 0;
  for (auto _ : state) {
    const std::string code = "'" + data.codes[next++ % data.codes.size()] + "'";
    double total = 0;
    for (const char* sum : kSums) {
      const std::string sql = sum + code;
      sqlite3_stmt* s = nullptr;
      sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr);
      if (sqlite3_step(s) == SQLITE_ROW) total += sqlite3_column_double(s, 0);
      sqlite3_finalize(s);
    }
    benchmark::DoNotOptimize(total);
  }
  sqlite3_close(db);
}

// Every job order's code, in a shuffled but fixed order so that neither side reads warm neighbours.
std::vector<std::string> jobCodes(const QString& path) {
  std::vector<std::string> codes;
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, "SELECT CodCom FROM Commesse ORDER BY (rowid * 7919) % 5003", -1, &s, nullptr);
  while (sqlite3_step(s) == SQLITE_ROW)
    codes.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
  sqlite3_finalize(s);
  sqlite3_close(db);
  return codes;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  for (const Size& size : kSizes) {
    benchdata::GeneratorSizes sizes;
    sizes.jobOrders = size.jobOrders;
    sizes.costRows = size.costRows;
    SizedData data{std::make_unique<benchdata::GeneratedDatabase>(sizes), {}};
    if (data.database->path().isEmpty()) return 1;
    data.codes = jobCodes(data.database->path());
    g_data.push_back(std::move(data));
  }

  benchdata::TimingReporter reporter;
  benchdata::runInterleaved(reporter,
                            {{"BM_JobSummary", BM_JobSummary},
                             {"BM_JobSummaryOnOpenConnection", BM_JobSummaryOnOpenConnection},
                             {"BM_BareSqliteSums", BM_BareSqliteSums}},
                            int(g_data.size()));
  std::vector<std::string> labels;
  for (const Size& size : kSizes) labels.push_back(std::to_string(size.costRows) + " righe di costo");
  const bool ok = benchdata::compareWithFloor(
      reporter, {"JobSummary", "BM_JobSummary", "BM_BareSqliteSums", kLimit, kMaxMilliseconds}, labels);
  benchdata::compareWithFloor(reporter,
                              {"JobSummary su una connessione aperta prima", "BM_JobSummaryOnOpenConnection",
                               "BM_BareSqliteSums", 0, kMaxMilliseconds},
                              labels);
  return ok ? 0 : 1;
}
