#pragma once

#include <benchmark/benchmark.h>

#include <QString>
#include <QTemporaryDir>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "bench/data/Generator.h"

namespace benchdata {

// A temporary copy of the template filled by the generator with the given sizes. Empty path when
// the template is missing (a message is printed).
class GeneratedDatabase {
 public:
  explicit GeneratedDatabase(const GeneratorSizes& sizes);
  const QString& path() const { return m_path; }
  QString connectionString() const;

 private:
  QTemporaryDir m_dir;
  QString m_path;
};

// 100 000 job orders (or as many as given) and 2 000 customers, the data the job-order view
// benchmarks read.
class JobOrderDatabase : public GeneratedDatabase {
 public:
  JobOrderDatabase();
  explicit JobOrderDatabase(int jobOrders);
};

// Prints as usual and keeps the times of each benchmark, so a benchmark's main can compare them.
class TimingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  // The median of the repetitions of the named benchmark in milliseconds, or -1 when it did not
  // run. The name is the benchmark's without its "/repeats:" part.
  double milliseconds(const std::string& name) const;

 private:
  std::map<std::string, std::vector<double>> m_times;
};

// The repetitions every comparing benchmark runs, reported by their median.
constexpr int kRepetitions = 5;

// Registers, for each size 0 .. sizes-1 (the benchmark's argument), every benchmark of the list
// one after the other in milliseconds with kRepetitions, so that a measure and its floor meet the
// machine in the same state.
using BenchmarkFunction = void (*)(benchmark::State&);
void registerBySize(const std::vector<std::pair<std::string, BenchmarkFunction>>& benchmarks, int sizes);

// As registerBySize, but each repetition is a run of its own and the benchmarks of a size take
// turns, repetition by repetition: on a shared machine a passing load then falls on a measure and
// its floor alike. The reporter still gives the median of the kRepetitions runs.
void registerInterleaved(const std::vector<std::pair<std::string, BenchmarkFunction>>& benchmarks, int sizes);

// One measure set against its floor: the two benchmarks' names (without "/size"), the ratio of the
// medians it must stay under (0: none, the ratio is only shown), and the time it must stay under.
struct FloorComparison {
  std::string what;
  std::string measured;
  std::string floor;
  double ratioLimit;
  double maxMilliseconds;
  // What the floor is, as the comparison prints it.
  std::string floorName = "SQLite diretto";
};

// Prints, for each size (benchmark argument 0, 1, ... labelled by sizeLabels), the medians of the
// measure and of its floor and their ratio; false when a ratio or a time is over its limit.
bool compareWithFloor(const TimingReporter& reporter, const FloorComparison& comparison,
                      const std::vector<std::string>& sizeLabels);

// Registers the benchmarks as registerInterleaved does and runs them into `reporter`.
void runInterleaved(TimingReporter& reporter,
                    const std::vector<std::pair<std::string, BenchmarkFunction>>& benchmarks, int sizes);

// Every comparison of the list, each printed; false when any is over its limit.
bool compareWithFloors(const TimingReporter& reporter, const std::vector<FloorComparison>& comparisons,
                       const std::vector<std::string>& sizeLabels);

// The label of each size: its count followed by what it counts ("20000 commesse").
std::vector<std::string> sizeLabels(std::span<const int> counts, const std::string& what);

}  // namespace benchdata
