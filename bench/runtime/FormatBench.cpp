// Grids and reports format every amount and date cell they show, and read back every number typed.
// Each measure formats (or reads) a column of cells with the program's Format (ParseNumber), beside
// its floor: the same values through Qt's own Italian QLocale::toString (toDouble), which formats
// without patterns. Two sizes: 1 000 and 100 000 cells, measure and floor taking turns run by run.
// The limits: Format reads its pattern's sections and rounds exactly in decimal (halves away from
// zero), which QLocale does not, and must stay within 8 times the floor for amounts, 4.5 for
// currency and 5 for dates; reading a typed number must not be slower than QLocale's.
// The limits: Format reads its pattern's sections and rounds exactly in decimal (halves away from
// zero), which QLocale does not, and must stay within 8 times the floor for amounts, 4.5 for
// currency and 5 for dates; reading a typed number must not be slower than QLocale's.
#include <benchmark/benchmark.h>

#include <QDate>
#include <QLocale>
#include <limits>
#include <string>
#include <vector>

#include "bench/data/BenchSupport.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Numeric.h"

namespace {

const QLocale Italian(QLocale::Italian, QLocale::Italy);
constexpr int kCells[] = {1000, 100000};
constexpr double kNoTimeLimit = std::numeric_limits<double>::infinity();

int cells(const benchmark::State& state) { return kCells[state.range(0)]; }

double amount(int cell) { return -5000.0 + cell * 12.3456; }
std::int64_t currencyRaw(int cell) { return std::int64_t(cell) * 123457; }
QDate day(int cell) { return QDate(1950, 1, 1).addDays(cell); }
// Typed numbers, each with thousands and decimals.
QString typed(int cell) { return Italian.toString(1234567.89 + cell, 'f', 2); }

void AmountCells(benchmark::State& state) {
  const QString pattern = QStringLiteral("##,##0.00;-##,##0.00;0.00");
  for (auto _ : state)
    for (int cell = 0; cell < cells(state); ++cell)
      benchmark::DoNotOptimize(Format(amount(cell), pattern, Italian));
}

void AmountCellsFloor(benchmark::State& state) {
  for (auto _ : state)
    for (int cell = 0; cell < cells(state); ++cell)
      benchmark::DoNotOptimize(Italian.toString(amount(cell), 'f', 2));
}

void CurrencyCells(benchmark::State& state) {
  const QString pattern = QStringLiteral("#,#.00");
  for (auto _ : state)
    for (int cell = 0; cell < cells(state); ++cell)
      benchmark::DoNotOptimize(Format(Currency::fromRaw(currencyRaw(cell)), pattern, Italian));
}

void CurrencyCellsFloor(benchmark::State& state) {
  for (auto _ : state)
    for (int cell = 0; cell < cells(state); ++cell)
      benchmark::DoNotOptimize(Italian.toString(double(currencyRaw(cell)) / 10000, 'f', 2));
}

void DateCells(benchmark::State& state) {
  const QString pattern = QStringLiteral("ddd d mmm yy");
  for (auto _ : state)
    for (int cell = 0; cell < cells(state); ++cell)
      benchmark::DoNotOptimize(Format(day(cell), pattern, Italian));
}

void DateCellsFloor(benchmark::State& state) {
  const QString pattern = QStringLiteral("ddd d MMM yy");
  for (auto _ : state)
    for (int cell = 0; cell < cells(state); ++cell)
      benchmark::DoNotOptimize(Italian.toString(day(cell), pattern));
}

std::vector<QString> typedColumn(const benchmark::State& state) {
  std::vector<QString> texts;
  for (int cell = 0; cell < cells(state); ++cell) texts.push_back(typed(cell));
  return texts;
}

void TypedNumbers(benchmark::State& state) {
  const std::vector<QString> texts = typedColumn(state);
  for (auto _ : state)
    for (const QString& text : texts) benchmark::DoNotOptimize(ParseNumber(text, Italian));
}

void TypedNumbersFloor(benchmark::State& state) {
  const std::vector<QString> texts = typedColumn(state);
  for (auto _ : state)
    for (const QString& text : texts) benchmark::DoNotOptimize(Italian.toDouble(text));
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchdata::TimingReporter reporter;
  benchdata::runInterleaved(reporter,
                            {{"AmountCells", AmountCells},
                             {"AmountCellsFloor", AmountCellsFloor},
                             {"CurrencyCells", CurrencyCells},
                             {"CurrencyCellsFloor", CurrencyCellsFloor},
                             {"DateCells", DateCells},
                             {"DateCellsFloor", DateCellsFloor},
                             {"TypedNumbers", TypedNumbers},
                             {"TypedNumbersFloor", TypedNumbersFloor}},
                            int(std::size(kCells)));
  const bool ok = benchdata::compareWithFloors(
      reporter,
      {{"importi", "AmountCells", "AmountCellsFloor", 8.0, kNoTimeLimit, "QLocale"},
       {"valuta", "CurrencyCells", "CurrencyCellsFloor", 4.5, kNoTimeLimit, "QLocale"},
       {"date", "DateCells", "DateCellsFloor", 5.0, kNoTimeLimit, "QLocale"},
       {"numeri digitati", "TypedNumbers", "TypedNumbersFloor", 1.0, kNoTimeLimit, "QLocale"}},
      benchdata::sizeLabels(kCells, "celle"));
  return ok ? 0 : 1;
}
