#include "core/JobSummary.h"

#include <optional>
#include <stdexcept>

#include "core/comUtility.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Format.h"

namespace {

const QString Amount = QStringLiteral("SELECT Sum([Quantita]*[CostoUnitario]) AS V From Costi WHERE ");
const QString Hours = QStringLiteral("SELECT Sum([Quantita]) AS Q From Costi WHERE ");

struct Sum {
  JobSummary::Part part;
  JobSummary::Category category;
  QString prefix;  // followed by the quoted code
};

const Sum Sums[] = {
    {JobSummary::Quoted, JobSummary::Sales,
     QStringLiteral("SELECT Sum(Prezzo) AS V From CommessePre WHERE CodCom=")},
    {JobSummary::ByTime, JobSummary::Sales,
     QStringLiteral(
         "SELECT Sum([Quantita]*[PrezzoUnitario]) AS V From Costi WHERE InEconomia=True AND CodCom=")},
    {JobSummary::Quoted, JobSummary::Labour, Amount + "InEconomia=False AND Classe=0 AND CodCom="},
    {JobSummary::ByTime, JobSummary::Labour, Amount + "InEconomia=True AND Classe=0 AND CodCom="},
    {JobSummary::Quoted, JobSummary::Materials, Amount + "InEconomia=False AND Classe=2 AND CodCom="},
    {JobSummary::ByTime, JobSummary::Materials, Amount + "InEconomia=True AND Classe=2 AND CodCom="},
    {JobSummary::Quoted, JobSummary::OtherCosts, Amount + "InEconomia=False AND Classe=3 AND CodCom="},
    {JobSummary::ByTime, JobSummary::OtherCosts, Amount + "InEconomia=True AND Classe=3 AND CodCom="},
};

// The one value of a one-row sum; an empty sum is 0.
double sumValue(db::Connection& cn, const QString& sql, const QString& column) {
  db::Recordset rs;
  rs.Open(sql, cn, db::adOpenForwardOnly, db::adLockReadOnly, db::adCmdText);
  const double value = rs.isEOF() ? 0 : NzNum(rs.Value(column), 0);
  rs.Close();
  return value;
}

const QString Overflow = QStringLiteral("Gli importi della commessa superano i limiti di calcolo.");

}  // namespace

JobSummary JobSummary::read(db::Connection& cn, const QString& CodCom) {
  const QString quotedCode = db::jetText(CodCom);
  JobSummary summary;
  for (const Sum& s : Sums) {
    const std::optional<Currency> value =
        Currency::fromDouble(sumValue(cn, s.prefix + quotedCode, QStringLiteral("V")));
    if (!value) throw db::DbError(db::DbError::TypeMismatch, Overflow);
    summary.V[s.part][s.category] = *value;
  }
  try {
    summary.complete();
  } catch (const std::overflow_error&) {
    throw db::DbError(db::DbError::TypeMismatch, Overflow);
  }
  return summary;
}

JobSummary JobSummary::readWithHours(db::Connection& cn, const QString& CodCom) {
  JobSummary summary = read(cn, CodCom);
  const QString quotedCode = db::jetText(CodCom);
  summary.quotedHours =
      sumValue(cn, Hours + "InEconomia=False AND Classe=0 AND CodCom=" + quotedCode, QStringLiteral("Q"));
  summary.byTimeHours =
      sumValue(cn, Hours + "InEconomia=True AND Classe=0 AND CodCom=" + quotedCode, QStringLiteral("Q"));
  return summary;
}

void JobSummary::complete() {
  for (Category k : {Sales, Labour, Materials, OtherCosts}) V[Total][k] = V[Quoted][k] + V[ByTime][k];
  for (auto& part : V) {
    part[Costs] = part[Labour] + part[Materials] + part[OtherCosts];
    part[ProfitOrLoss] = part[Sales] - part[Costs];
  }
}

QString JobSummary::text(Currency value) { return Format(Variant(value), QStringLiteral("##,##0.00 ")); }

QString JobSummary::text(double value) { return Format(Variant(value), QStringLiteral("##,##0.00 ")); }
