// Reading the job-order view over 100 000 job orders through Recordset, whole and forward-only, next
// to the same rows read through the bare SQLite API into values, as a program without the data layer
// would. Both sides make every value of every row. Prints the ratios of the medians, which must stay
// under 1.5. Then 2 000 one-row queries that differ only in the job order they look for, as a report
// runs them, next to one bare statement bound to each code in turn: the data layer's cost per query.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QVariant>
#include <cstdio>
#include <vector>

#include "bench/data/BenchSupport.h"
#include "bench/data/Generator.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

namespace {

const char kQuery[] =
    "SELECT Commesse.*, CliFor.Nome AS Cliente FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = "
    "CliFor.IdCliFor";
constexpr double kLimit = 1.5;

QString g_path;

void BM_RecordsetRead(benchmark::State& state) {
  db::Connection connection;
  connection.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + g_path + ";Persist Security Info=False");
  for (auto _ : state) {
    db::Recordset rs;
    rs.Open(kQuery, connection);
    for (int r = 0; r < rs.RecordCount(); ++r)
      for (int c = 0; c < rs.FieldCount(); ++c) benchmark::DoNotOptimize(&rs.ValueAt(r, c));
    state.counters["righe"] = rs.RecordCount();
  }
}

void BM_ForwardOnlyRead(benchmark::State& state) {
  db::Connection connection;
  connection.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + g_path + ";Persist Security Info=False");
  for (auto _ : state) {
    db::Recordset rs;
    rs.Open(kQuery, connection, db::adOpenForwardOnly);
    int rows = 0;
    for (; !rs.isEOF(); rs.MoveNext(), ++rows)
      for (int c = 0; c < rs.FieldCount(); ++c) benchmark::DoNotOptimize(rs.Value(c));
    state.counters["righe"] = rows;
  }
}

constexpr int kOneRowQueries = 2000;

// Codes spread over the job orders, as the generator numbers them.
QString jobCode(int i) { return QString("CM%1").arg(i * 37 % 100000 + 1, 6, 10, QChar('0')); }

void BM_OneRowQueries(benchmark::State& state) {
  db::Connection connection;
  connection.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + g_path + ";Persist Security Info=False");
  for (auto _ : state) {
    for (int i = 0; i < kOneRowQueries; ++i) {
      db::Recordset rs;
      rs.Open("SELECT * FROM Commesse WHERE CodCom = '" + jobCode(i) + "'", connection,
              db::adOpenForwardOnly);
      benchmark::DoNotOptimize(rs.Value(0));
    }
  }
}

void BM_BareOneRowQueries(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(g_path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, "SELECT * FROM Commesse WHERE CodCom = ?1", -1, &s, nullptr);
  for (auto _ : state) {
    for (int i = 0; i < kOneRowQueries; ++i) {
      const QByteArray code = jobCode(i).toUtf8();
      sqlite3_bind_text(s, 1, code.constData(), int(code.size()), SQLITE_TRANSIENT);
      if (sqlite3_step(s) == SQLITE_ROW)
        benchmark::DoNotOptimize(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0))));
      sqlite3_reset(s);
    }
  }
  sqlite3_finalize(s);
  sqlite3_close(db);
}

void BM_BareSqliteRead(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(g_path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
  for (auto _ : state) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, kQuery, -1, &s, nullptr);
    const int columns = sqlite3_column_count(s);
    std::vector<QVariant> values;
    while (sqlite3_step(s) == SQLITE_ROW) {
      for (int c = 0; c < columns; ++c) {
        switch (sqlite3_column_type(s, c)) {
          case SQLITE_INTEGER: values.emplace_back(qint64(sqlite3_column_int64(s, c))); break;
          case SQLITE_FLOAT: values.emplace_back(sqlite3_column_double(s, c)); break;
          case SQLITE_NULL: values.emplace_back(); break;
          default:
            values.emplace_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                                  sqlite3_column_bytes(s, c)));
        }
      }
    }
    sqlite3_finalize(s);
    benchmark::DoNotOptimize(values.back());
    state.counters["righe"] = double(values.size()) / columns;
  }
  sqlite3_close(db);
}

BENCHMARK(BM_RecordsetRead)->Unit(benchmark::kMillisecond)->Repetitions(benchdata::kRepetitions);
BENCHMARK(BM_ForwardOnlyRead)->Unit(benchmark::kMillisecond)->Repetitions(benchdata::kRepetitions);
BENCHMARK(BM_BareSqliteRead)->Unit(benchmark::kMillisecond)->Repetitions(benchdata::kRepetitions);
BENCHMARK(BM_OneRowQueries)->Unit(benchmark::kMillisecond)->Repetitions(benchdata::kRepetitions);
BENCHMARK(BM_BareOneRowQueries)->Unit(benchmark::kMillisecond)->Repetitions(benchdata::kRepetitions);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const benchdata::JobOrderDatabase database;
  if (database.path().isEmpty()) return 1;
  g_path = database.path();

  benchdata::TimingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double layer = reporter.milliseconds("BM_RecordsetRead");
  const double forward = reporter.milliseconds("BM_ForwardOnlyRead");
  const double bare = reporter.milliseconds("BM_BareSqliteRead");
  const double queries = reporter.milliseconds("BM_OneRowQueries");
  const double bareQueries = reporter.milliseconds("BM_BareOneRowQueries");
  if (layer < 0 || forward < 0 || bare <= 0) return 0;
  bool ok = true;
  for (const auto& [name, ratio] :
       {std::pair{"Recordset", layer / bare}, {"Recordset in avanti", forward / bare}}) {
    std::printf("%s / SQLite diretto: %.2f (limite %.1f) %s\n", name, ratio, kLimit,
                ratio < kLimit ? "OK" : "TROPPO LENTO");
    ok = ok && ratio < kLimit;
  }
  if (queries > 0 && bareQueries > 0)
    std::printf("%d interrogazioni di una riga: %.1f ms, SQLite diretto %.1f ms, rapporto %.2f\n",
                kOneRowQueries, queries, bareQueries, queries / bareQueries);
  return ok ? 0 : 1;
}
