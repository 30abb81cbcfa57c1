// The economic summary read without its window: every cell of a job order with rows of each class in
// both parts, only the job order's own rows, an empty job order, a code with an apostrophe, and sums
// beyond the currency range.
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/JobSummary.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "tests/support/FormTestSupport.h"

namespace {

using JobSummaryTest = FormTest;

TEST_F(JobSummaryTest, EveryCellAddsItsOwnRowsAndALossShowsWithItsSign) {
  testdb::exec(cn, "INSERT INTO CommessePre (CodCom, Prezzo) VALUES ('L''1', 1000), ('ALTRA', 9999)");
  // Quoted rows carry sale prices that must not count; by-time sales come from every class.
  testdb::exec(
      cn,
      "INSERT INTO Costi (CodCom, Classe, InEconomia, Quantita, CostoUnitario, PrezzoUnitario) VALUES "
      "('L''1', 0, False, 8, 25, 99), ('L''1', 2, False, 1.5, 200.26, 99), ('L''1', 3, False, 1, 60, 99), "
      "('L''1', 0, True, 2.5, 20, 30), ('L''1', 2, True, 4, 10, 12.5), ('L''1', 3, True, 2, 150, 20), "
      "('ALTRA', 3, True, 1, 5000, 5000), ('ALTRA', 0, False, 3, 10, 0), "
      "('BIG', 2, False, 1e15, 900000, 0)");
  db::Connection cn;
  cn.Open(ConnString);
  const JobSummary d = JobSummary::readWithHours(cn, "L'1");
  // Columns: Vendita, Costi, Manodopera, Materiali, Altri Costi, Utile/Perdita.
  const char* const expected[JobSummary::PartCount][JobSummary::CategoryCount] = {
      {"1.000,00 ", "560,39 ", "200,00 ", "300,39 ", "60,00 ", "439,61 "},
      {"165,00 ", "390,00 ", "50,00 ", "40,00 ", "300,00 ", "-225,00 "},
      {"1.165,00 ", "950,39 ", "250,00 ", "340,39 ", "360,00 ", "214,61 "},
  };
  for (int p = 0; p < JobSummary::PartCount; ++p)
    for (int k = 0; k < JobSummary::CategoryCount; ++k)
      EXPECT_EQ(JobSummary::text(d.V[p][k]), expected[p][k]) << "part " << p << ", category " << k;
  EXPECT_EQ(d.V[JobSummary::Total][JobSummary::Costs], Currency::fromRaw(9503900))
      << "exact to the fourth decimal";
  // Hours count labour rows only, not the quantities of materials and other costs.
  EXPECT_EQ(JobSummary::text(d.quotedHours), "8,00 ");
  EXPECT_EQ(JobSummary::text(d.byTimeHours), "2,50 ");

  const JobSummary empty = JobSummary::readWithHours(cn, "NESSUNA");
  for (const auto& part : empty.V)
    for (const Currency v : part) EXPECT_EQ(JobSummary::text(v), "0,00 ");
  EXPECT_EQ(JobSummary::text(empty.byTimeHours), "0,00 ");
  EXPECT_THROW(JobSummary::read(cn, "BIG"), db::DbError) << "an error, not a wrong figure";
}

}  // namespace
