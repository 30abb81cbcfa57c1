#include "bench/data/BenchSupport.h"

#include <QFile>
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
GeneratorSizes jobOrderSizes() {
  GeneratorSizes sizes;
  sizes.customers = 2000;
  sizes.jobOrders = 100000;
  sizes.quoteLinesPerJob = 0;
  sizes.costRows = 0;
  return sizes;
}
}  // namespace

JobOrderDatabase::JobOrderDatabase() : GeneratedDatabase(jobOrderSizes()) {}

void TimingReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs)
    if (run.run_type == Run::RT_Iteration) m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
  ConsoleReporter::ReportRuns(runs);
}

double TimingReporter::milliseconds(const std::string& name) const {
  const auto it = m_times.find(name);
  return it == m_times.end() ? -1.0 : it->second;
}

}  // namespace benchdata
