// Reading the job-order view over 100 000 job orders through Recordset, next to the same rows read
// through the bare SQLite API into values, as a program without the data layer would. Prints the
// ratio of the two times, which must stay under 1.5.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QFile>
#include <QTemporaryDir>
#include <QVariant>
#include <cstdio>
#include <map>
#include <vector>

#include "bench/data/Generator.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

namespace {

const char kQuery[] =
    "SELECT Commesse.*, CliFor.Nome AS Cliente FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = CliFor.IdCliFor";
constexpr double kLimit = 1.5;

QString g_path;

void BM_RecordsetRead(benchmark::State& state) {
  db::Connection connection;
  connection.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + g_path + ";Persist Security Info=False");
  for (auto _ : state) {
    db::Recordset rs;
    rs.Open(kQuery, connection);
    benchmark::DoNotOptimize(rs.ValueAt(rs.RecordCount() - 1, 0));
    state.counters["righe"] = rs.RecordCount();
  }
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

BENCHMARK(BM_RecordsetRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSqliteRead)->Unit(benchmark::kMillisecond);

// Keeps the time of each benchmark while printing as usual.
class TimingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration) times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  QTemporaryDir dir;
  g_path = dir.path() + "/coms.mdb";
  if (!QFile::copy(benchdata::templatePath(), g_path)) {
    std::fprintf(stderr, "master.gen non trovato: costruire prima il modello (target template)\n");
    return 1;
  }
  benchdata::GeneratorSizes sizes;
  sizes.customers = 2000;
  sizes.jobOrders = 100000;
  sizes.quoteLinesPerJob = 0;
  sizes.costRows = 0;
  benchdata::generate(g_path, sizes);

  TimingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto layer = reporter.times.find("BM_RecordsetRead");
  const auto bare = reporter.times.find("BM_BareSqliteRead");
  if (layer == reporter.times.end() || bare == reporter.times.end()) return 0;
  const double ratio = layer->second / bare->second;
  std::printf("Recordset / SQLite diretto: %.2f (limite %.1f) %s\n", ratio, kLimit, ratio < kLimit ? "OK" : "TROPPO LENTO");
  return ratio < kLimit ? 0 : 1;
}
