// The economic summary of one job order in a database of 1 000 000 cost rows over 5 000 job orders,
// read through the program's own code (JobSummary over Connection and Recordset), next to the same
// ten sums run through the bare SQLite API. Prints the ratio of the two times, which must stay under
// 1.5, and fails when a summary takes 20 ms or more.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/data/BenchSupport.h"
#include "bench/data/Generator.h"
#include "core/JobSummary.h"
#include "platform/db/Connection.h"

namespace {

constexpr double kLimit = 1.5;
constexpr double kMaxMilliseconds = 20;

QString g_path;
std::vector<std::string> g_codes;

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

void BM_JobSummary(benchmark::State& state) {
  db::Connection connection;
  connection.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + g_path + ";Persist Security Info=False");
  std::size_t next = 0;
  for (auto _ : state) {
    const JobSummary summary =
        JobSummary::readWithHours(connection, QString::fromStdString(g_codes[next++ % g_codes.size()]));
    benchmark::DoNotOptimize(summary.V[JobSummary::Total][JobSummary::ProfitOrLoss]);
  }
}

void BM_BareSqliteSums(benchmark::State& state) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(g_path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
  std::size_t next = 0;
  for (auto _ : state) {
    const std::string code = "'" + g_codes[next++ % g_codes.size()] + "'";
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

BENCHMARK(BM_JobSummary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSqliteSums)->Unit(benchmark::kMillisecond);

// Every job order's code, in a shuffled but fixed order so that neither side reads warm neighbours.
std::vector<std::string> jobCodes(const QString& path) {
  std::vector<std::string> codes;
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, "SELECT CodCom FROM Commesse ORDER BY (rowid * 7919) % 5003", -1, &s, nullptr);
  while (sqlite3_step(s) == SQLITE_ROW) codes.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
  sqlite3_finalize(s);
  sqlite3_close(db);
  return codes;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchdata::GeneratorSizes sizes;
  sizes.jobOrders = 5000;
  sizes.costRows = 1000000;
  const benchdata::GeneratedDatabase database(sizes);
  if (database.path().isEmpty()) return 1;
  g_path = database.path();
  g_codes = jobCodes(g_path);

  benchdata::TimingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double layer = reporter.milliseconds("BM_JobSummary");
  const double bare = reporter.milliseconds("BM_BareSqliteSums");
  if (layer < 0 || bare <= 0) return 0;
  const double ratio = layer / bare;
  const bool ok = ratio < kLimit && layer < kMaxMilliseconds;
  std::printf("JobSummary / SQLite diretto: %.2f (limite %.1f), %.3f ms per riepilogo (limite %.0f) %s\n", ratio,
              kLimit, layer, kMaxMilliseconds, ok ? "OK" : "TROPPO LENTO");
  return ok ? 0 : 1;
}
