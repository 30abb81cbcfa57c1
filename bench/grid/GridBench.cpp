// The job-order view over 100 000 job orders: binding the grid until its first screen of rows is
// painted, next to reading the same rows through the data layer alone (the ratio must stay under
// 2), and scrolling to the last row, sorting on a column and find-as-you-type, each under 100 ms.
#include <benchmark/benchmark.h>

#include <QAbstractItemView>
#include <QApplication>
#include <cstdio>

#include "bench/data/BenchSupport.h"
#include "bench/data/Generator.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/grid/GridEX.h"

namespace {

const QString kQuery =
    "SELECT Commesse.*, CliFor.Nome AS Cliente FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = "
    "CliFor.IdCliFor";
constexpr double kRatioLimit = 2.0;
constexpr double kActionLimitMs = 100.0;

QString g_connection;

// A grid laid out as the main window shows the job-order view.
std::unique_ptr<grid::GridEX> viewGrid() {
  auto g = std::make_unique<grid::GridEX>();
  g->resize(1000, 700);
  g->loadLayoutFile(QStringLiteral(PROGRAM_DIR) + "/gex_com.lyt", true, g_connection);
  g->setRecordSource(kQuery);
  return g;
}

// Paints what the grid shows now.
void paint(grid::GridEX& g) {
  g.view()->repaint();
  QCoreApplication::processEvents();
}

// The view grid bound and on screen.
std::unique_ptr<grid::GridEX> shownViewGrid() {
  auto g = viewGrid();
  g->show();
  g->rebind();
  paint(*g);
  return g;
}

void BM_ReadThroughDataLayer(benchmark::State& state) {
  for (auto _ : state) {
    db::Connection connection;
    connection.Open(g_connection);
    db::Recordset rs;
    rs.Open(kQuery, connection);
    benchmark::DoNotOptimize(rs.ValueAt(rs.RecordCount() - 1, 0));
  }
}

void BM_BindUntilFirstScreen(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto g = viewGrid();
    g->show();
    state.ResumeTiming();
    g->rebind();
    paint(*g);
    state.counters["righe"] = g->rowCount();
  }
}

void BM_ScrollToLastRow(benchmark::State& state) {
  auto g = shownViewGrid();
  for (auto _ : state) {
    g->setRow(g->rowCount());
    paint(*g);
    state.PauseTiming();
    g->setRow(1);
    paint(*g);
    state.ResumeTiming();
  }
}

void BM_SortOnColumn(benchmark::State& state) {
  auto g = shownViewGrid();
  const int description = g->column("DesCom")->index();
  int order = grid::Ascending;
  for (auto _ : state) {
    g->sortKeys().clear();
    g->sortKeys().add(description, order);
    g->refreshSort();
    paint(*g);
    order = -order;
  }
}

void BM_FindAsYouType(benchmark::State& state) {
  auto g = shownViewGrid();
  const int customer = g->column("Cliente")->index();
  const QString last = g->cellText(g->rowCount(), customer);
  const QString typed = last.left(std::min<qsizetype>(4, last.size()));
  for (auto _ : state) {
    // The text is typed one letter at a time; each letter searches from the top.
    for (int n = 1; n <= typed.size(); ++n) g->find(customer, grid::FindBeginsWith, Variant(typed.left(n)));
    g->find(customer, grid::FindEqual, Variant("zzz nessuno"));
    paint(*g);
  }
}

BENCHMARK(BM_ReadThroughDataLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BindUntilFirstScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollToLastRow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortOnColumn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAsYouType)->Unit(benchmark::kMillisecond);

// Grouping the job orders by customer, then collapsing and expanding all groups.
void BM_GroupByCustomer(benchmark::State& state) {
  auto g = shownViewGrid();
  const int customer = g->column("Cliente")->index();
  for (auto _ : state) {
    g->groups().clear();
    g->groups().add(customer, grid::Ascending);
    g->refreshSort();
    g->collapseAll(true);
    g->expandAll();
    paint(*g);
  }
  state.counters["righe"] = g->rowCount();
}
BENCHMARK(BM_GroupByCustomer)->Unit(benchmark::kMillisecond);

// The same on a date column, whose texts are formatted: the first letter pays for the texts once.
void BM_FindAsYouTypeInDates(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto g = shownViewGrid();
    const int start = g->column("DataInizio")->index();
    g->sortKeys().clear();
    g->sortKeys().add(start, grid::Ascending);
    g->refreshSort();
    state.ResumeTiming();
    const QString typed = "31-12-2024";
    for (int n = 1; n <= typed.size(); ++n) g->find(start, grid::FindBeginsWith, Variant(typed.left(n)));
    paint(*g);
  }
}
BENCHMARK(BM_FindAsYouTypeInDates)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  const benchdata::JobOrderDatabase database;
  if (database.path().isEmpty()) return 1;
  g_connection = database.connectionString();

  benchdata::TimingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  bool ok = true;
  const auto time = [&](const char* name) { return reporter.milliseconds(name); };
  const double read = time("BM_ReadThroughDataLayer"), bind = time("BM_BindUntilFirstScreen");
  if (read > 0 && bind > 0) {
    const double ratio = bind / read;
    ok = ok && ratio < kRatioLimit;
    std::printf("Griglia / sola lettura dati: %.2f (limite %.1f) %s\n", ratio, kRatioLimit,
                ratio < kRatioLimit ? "OK" : "TROPPO LENTO");
  }
  for (const char* name :
       {"BM_ScrollToLastRow", "BM_SortOnColumn", "BM_FindAsYouType", "BM_FindAsYouTypeInDates"}) {
    const double ms = time(name);
    if (ms < 0) continue;
    ok = ok && ms < kActionLimitMs;
    std::printf("%s: %.1f ms (limite %.0f ms) %s\n", name, ms, kActionLimitMs,
                ms < kActionLimitMs ? "OK" : "TROPPO LENTO");
  }
  if (const double ms = time("BM_GroupByCustomer"); ms > 0)
    std::printf("BM_GroupByCustomer: %.1f ms (raggruppa, collassa ed espande: solo misura)\n", ms);
  return ok ? 0 : 1;
}
