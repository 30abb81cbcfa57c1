#pragma once

#include <QString>

// A deterministic generator of realistic data for the program's database, for benchmarks, tests
// and for trying the program on a large database. The same sizes always give the same rows.
namespace benchdata {

struct GeneratorSizes {
  int customers = 300;
  int suppliers = 60;
  int employees = 25;
  int articles = 2000;
  int templates = 20;
  int linesPerTemplate = 8;
  int jobOrders = 2000;
  int quoteLinesPerJob = 6;  // at most; jobs made from a template take its lines
  int costRows = 100000;
  int activities = 12;

  // These sizes with every count multiplied by `scale` (the fixed lists - units, categories, VAT
  // codes - keep their size).
  GeneratorSizes scaled(double scale) const;
};

// Fills the database at dbPath, a copy of the template whose tables hold no rows yet (the
// template's categories of other costs excepted). Everything is written in one transaction: on any
// failure std::runtime_error is thrown and the file is left as it was.
void generate(const QString& dbPath, const GeneratorSizes& sizes);

// The template built beside the program, for callers that make their own copy.
QString templatePath();

}  // namespace benchdata
