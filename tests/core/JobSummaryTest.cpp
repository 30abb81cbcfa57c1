// The economic summary read without its window: only the job order's own rows, a loss, an empty job
// order, a code with an apostrophe, and sums beyond the currency range.
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "core/JobSummary.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "tests/support/FormTestSupport.h"

namespace {

using JobSummaryTest = FormTest;

TEST_F(JobSummaryTest, SumsTheJobOrderOwnRowsAndShowsALossWithItsSign) {
  testdb::exec(cn, "INSERT INTO CommessePre (CodCom, Prezzo) VALUES ('L''1', 100), ('ALTRA', 9999)");
  testdb::exec(cn, "INSERT INTO Costi (CodCom, Classe, InEconomia, Quantita, CostoUnitario, PrezzoUnitario) VALUES "
                   "('L''1', 2, False, 1.5, 1000.25, 0), ('L''1', 0, True, 7.5, 0, 10), ('ALTRA', 3, True, 1, 5000, 5000), "
                   "('BIG', 2, False, 1e15, 900000, 0)");
  db::Connection cn;
  cn.Open(ConnString);
  const JobSummary d = JobSummary::readWithHours(cn, "L'1");
  EXPECT_EQ(d.V[JobSummary::Quoted][JobSummary::Costs], Currency::fromRaw(15003750));
  EXPECT_EQ(JobSummary::text(d.V[JobSummary::Quoted][JobSummary::ProfitOrLoss]), "-1.400,38 ");
  EXPECT_EQ(JobSummary::text(d.V[JobSummary::Total][JobSummary::Sales]), "175,00 ");
  EXPECT_EQ(JobSummary::text(d.V[JobSummary::Total][JobSummary::OtherCosts]), "0,00 ");
  EXPECT_EQ(JobSummary::text(d.byTimeHours), "7,50 ");

  const JobSummary empty = JobSummary::readWithHours(cn, "NESSUNA");
  for (const auto& part : empty.V)
    for (const Currency v : part) EXPECT_EQ(JobSummary::text(v), "0,00 ");
  EXPECT_THROW(JobSummary::read(cn, "BIG"), db::DbError) << "an error, not a wrong figure";
}

}  // namespace
