// Reading the job-order view through Recordset, whole and forward-only, every value of every row
// made, next to its floor: the same rows stepped through the bare SQLite API with each value read as
// a program needs it (numbers as they are, texts decoded) and nothing kept. Then 2 000 one-row
// queries that differ only in the job order they look for, as a report runs them, next to one bare
// statement bound to each code in turn. Two sizes (10 000 and 100 000 job orders), medians of
// repetitions; prints each measure beside its floor and their ratio.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "bench/data/BenchSupport.h"
#include "bench/data/Generator.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

namespace {

const char kQuery[] =
    "SELECT Commesse.*, CliFor.Nome AS Cliente FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = "
    "CliFor.IdCliFor";
constexpr int kJobOrders[] = {10000, 100000};
constexpr int kOneRowQueries = 2000;
// The ratio to the floor a read must stay under: the layer keeps the rows and makes Variants of
// them. A one-row query, which carries a recordset's opening, has its ratio shown only.
constexpr double kReadLimit = 3;
constexpr double kMaxMilliseconds = 2000;

std::vector<std::unique_ptr<benchdata::GeneratedDatabase>> g_databases;  // by size

const benchdata::GeneratedDatabase& database(const benchmark::State& state) {
  return *g_databases[std::size_t(state.range(0))];
}

void BM_RecordsetRead(benchmark::State& state) {
  db::Connection connection;
  connection.Open(database(state).connectionString());
  for (auto _ : state) {
    db::Recordset rs;
    rs.Open(kQuery, connection);
    for (int r = 0; r < rs.RecordCount(); ++r)
      for (int c = 0; c < rs.FieldCount(); ++c) benchmark::DoNotOptimize(&rs.ValueAt(r, c));
  }
}

void BM_ForwardOnlyRead(benchmark::State& state) {
  db::Connection connection;
  connection.Open(database(state).connectionString());
  for (auto _ : state) {
    db::Recordset rs;
    rs.Open(kQuery, connection, db::adOpenForwardOnly);
    for (; !rs.isEOF(); rs.MoveNext())
      for (int c = 0; c < rs.FieldCount(); ++c) benchmark::DoNotOptimize(rs.Value(c));
  }
}

void BM_BareRead(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(database(state).path().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, kQuery, -1, &s, nullptr);
  const int columns = sqlite3_column_count(s);
  for (auto _ : state) {
    while (sqlite3_step(s) == SQLITE_ROW) {
      for (int c = 0; c < columns; ++c) {
        switch (sqlite3_column_type(s, c)) {
          case SQLITE_INTEGER: benchmark::DoNotOptimize(sqlite3_column_int64(s, c)); break;
          case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(s, c)); break;
          case SQLITE_NULL: break;
          default:
            benchmark::DoNotOptimize(QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(s, c)), sqlite3_column_bytes(s, c)));
        }
      }
    }
    sqlite3_reset(s);
  }
  sqlite3_finalize(s);
  sqlite3_close(db);
}

// Codes spread over the job orders, as the generator numbers them.
QString jobCode(int i, int jobOrders) {
  return QString("CM%1").arg(i * 37 % jobOrders + 1, 6, 10, QChar('0'));
}

void BM_OneRowQueries(benchmark::State& state) {
  db::Connection connection;
  connection.Open(database(state).connectionString());
  const int jobOrders = kJobOrders[state.range(0)];
  for (auto _ : state) {
    for (int i = 0; i < kOneRowQueries; ++i) {
      db::Recordset rs;
      rs.Open("SELECT * FROM Commesse WHERE CodCom = '" + jobCode(i, jobOrders) + "'", connection,
              db::adOpenForwardOnly);
      benchmark::DoNotOptimize(rs.Value(0));
    }
  }
}

void BM_BareOneRowQueries(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(database(state).path().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, "SELECT * FROM Commesse WHERE CodCom = ?1", -1, &s, nullptr);
  const int jobOrders = kJobOrders[state.range(0)];
  for (auto _ : state) {
    for (int i = 0; i < kOneRowQueries; ++i) {
      const QByteArray code = jobCode(i, jobOrders).toUtf8();
      sqlite3_bind_text(s, 1, code.constData(), int(code.size()), SQLITE_TRANSIENT);
      if (sqlite3_step(s) == SQLITE_ROW)
        benchmark::DoNotOptimize(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0))));
      sqlite3_reset(s);
    }
  }
  sqlite3_finalize(s);
  sqlite3_close(db);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::vector<std::string> labels;
  for (const int jobOrders : kJobOrders) {
    benchdata::GeneratorSizes sizes;
    sizes.customers = 2000;
    sizes.jobOrders = jobOrders;
    sizes.quoteLinesPerJob = 0;
    sizes.costRows = 0;
    g_databases.push_back(std::make_unique<benchdata::GeneratedDatabase>(sizes));
    if (g_databases.back()->path().isEmpty()) return 1;
    labels.push_back(std::to_string(jobOrders) + " commesse");
  }
  benchdata::registerBySize({{"BM_RecordsetRead", BM_RecordsetRead},
                             {"BM_ForwardOnlyRead", BM_ForwardOnlyRead},
                             {"BM_BareRead", BM_BareRead},
                             {"BM_OneRowQueries", BM_OneRowQueries},
                             {"BM_BareOneRowQueries", BM_BareOneRowQueries}},
                            int(g_databases.size()));
  benchdata::TimingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  bool ok = true;
  for (const benchdata::FloorComparison& comparison :
       {benchdata::FloorComparison{"Recordset", "BM_RecordsetRead", "BM_BareRead", kReadLimit,
                                   kMaxMilliseconds},
        {"Recordset in avanti", "BM_ForwardOnlyRead", "BM_BareRead", kReadLimit, kMaxMilliseconds},
        {"2000 interrogazioni di una riga", "BM_OneRowQueries", "BM_BareOneRowQueries", 0, kMaxMilliseconds}})
    ok = benchdata::compareWithFloor(reporter, comparison, labels) && ok;
  return ok ? 0 : 1;
}
