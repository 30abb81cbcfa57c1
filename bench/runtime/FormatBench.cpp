#include <benchmark/benchmark.h>

#include "platform/runtime/Format.h"
#include "platform/runtime/Numeric.h"

// Grids and reports format every amount and date cell they show.
namespace {

const QLocale Italian(QLocale::Italian, QLocale::Italy);

void AmountCells(benchmark::State& state) {
  const QString pattern = QStringLiteral("##,##0.00;-##,##0.00;0.00");
  double value = -5000.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Format(value, pattern, Italian));
    value += 12.3456;
  }
}
BENCHMARK(AmountCells);

void CurrencyCells(benchmark::State& state) {
  const QString pattern = QStringLiteral("#,#.00");
  std::int64_t raw = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Format(Currency::fromRaw(raw), pattern, Italian));
    raw += 123457;
  }
}
BENCHMARK(CurrencyCells);

void DateCells(benchmark::State& state) {
  const QString pattern = QStringLiteral("ddd d mmm yy");
  QDate day(2020, 1, 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(Format(day, pattern, Italian));
    day = day.addDays(1);
  }
}
BENCHMARK(DateCells);

void TypedNumbers(benchmark::State& state) {
  const QString text = QStringLiteral("1.234.567,89");
  for (auto _ : state) benchmark::DoNotOptimize(ParseNumber(text, Italian));
}
BENCHMARK(TypedNumbers);

}  // namespace

BENCHMARK_MAIN();
