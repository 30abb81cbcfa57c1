#include "bench/data/BenchSupport.h"

#include <QFile>
#include <algorithm>
#include <cstdio>

#include "bench/data/Generator.h"

namespace benchdata {

GeneratedDatabase::GeneratedDatabase(const GeneratorSizes& sizes) {
  const QString path = m_dir.path() + "/coms.mdb";
  if (!QFile::copy(templatePath(), path)) {
    std::fprintf(stderr, "master.gen non trovato: costruire prima il modello (target template)\n");
    return;
  }
  generate(path, sizes);
  m_path = path;
}

QString GeneratedDatabase::connectionString() const {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + m_path + ";Persist Security Info=False";
}

namespace {
GeneratorSizes jobOrderSizes(int jobOrders) {
  GeneratorSizes sizes;
  sizes.customers = 2000;
  sizes.jobOrders = jobOrders;
  sizes.quoteLinesPerJob = 0;
  sizes.costRows = 0;
  return sizes;
}
}  // namespace

JobOrderDatabase::JobOrderDatabase() : JobOrderDatabase(100000) {}

JobOrderDatabase::JobOrderDatabase(int jobOrders) : GeneratedDatabase(jobOrderSizes(jobOrders)) {}

void TimingReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) continue;
    benchmark::BenchmarkName name = run.run_name;
    name.repetitions.clear();
    m_times[name.str()].push_back(run.real_accumulated_time * 1000.0 / double(run.iterations));
  }
  ConsoleReporter::ReportRuns(runs);
}

double TimingReporter::milliseconds(const std::string& name) const {
  const auto it = m_times.find(name);
  if (it == m_times.end()) return -1.0;
  std::vector<double> times = it->second;
  std::sort(times.begin(), times.end());
  const std::size_t middle = times.size() / 2;
  return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

void registerBySize(const std::vector<std::pair<std::string, BenchmarkFunction>>& benchmarks, int sizes) {
  for (int size = 0; size < sizes; ++size)
    for (const auto& [name, function] : benchmarks)
      benchmark::RegisterBenchmark(name.c_str(), function)
          ->Unit(benchmark::kMillisecond)
          ->Arg(size)
          ->Repetitions(kRepetitions);
}

void registerInterleaved(const std::vector<std::pair<std::string, BenchmarkFunction>>& benchmarks,
                         int sizes) {
  for (int size = 0; size < sizes; ++size)
    for (int repetition = 0; repetition < kRepetitions; ++repetition)
      for (const auto& [name, function] : benchmarks)
        benchmark::RegisterBenchmark(name.c_str(), function)->Unit(benchmark::kMillisecond)->Arg(size);
}

bool compareWithFloor(const TimingReporter& reporter, const FloorComparison& comparison,
                      const std::vector<std::string>& sizeLabels) {
  bool ok = true;
  for (std::size_t i = 0; i < sizeLabels.size(); ++i) {
    const std::string arg = "/" + std::to_string(i);
    const double measured = reporter.milliseconds(comparison.measured + arg);
    const double floor = reporter.milliseconds(comparison.floor + arg);
    if (measured < 0 || floor <= 0) continue;
    const double ratio = measured / floor;
    const bool bounded = comparison.ratioLimit > 0;
    const bool fast = (!bounded || ratio <= comparison.ratioLimit) && measured < comparison.maxMilliseconds;
    const std::string limit =
        bounded ? "limite " + std::to_string(comparison.ratioLimit).substr(0, 3) : "senza limite";
    std::printf("%s: %s %.3f ms, %s %.3f ms (mediane), rapporto %.2f (%s) %s\n", sizeLabels[i].c_str(),
                comparison.what.c_str(), measured, comparison.floorName.c_str(), floor, ratio, limit.c_str(),
                fast ? "OK" : "TROPPO LENTO");
    ok = ok && fast;
  }
  return ok;
}

void runInterleaved(TimingReporter& reporter,
                    const std::vector<std::pair<std::string, BenchmarkFunction>>& benchmarks, int sizes) {
  registerInterleaved(benchmarks, sizes);
  benchmark::RunSpecifiedBenchmarks(&reporter);
}

bool compareWithFloors(const TimingReporter& reporter, const std::vector<FloorComparison>& comparisons,
                       const std::vector<std::string>& sizeLabels) {
  bool ok = true;
  for (const FloorComparison& comparison : comparisons)
    ok = compareWithFloor(reporter, comparison, sizeLabels) && ok;
  return ok;
}

std::vector<std::string> sizeLabels(std::span<const int> counts, const std::string& what) {
  std::vector<std::string> labels;
  for (const int count : counts) labels.push_back(std::to_string(count) + " " + what);
  return labels;
}

}  // namespace benchdata
