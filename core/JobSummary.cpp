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

// Every sum of a job order in one pass over its cost rows: each column adds the rows of one cell,
// in the same order as a query of that cell alone would, so the figures are the same to the last
// digit. An empty sum is Null.
QString amount(const QString& rows) { return "Sum(IIf(" + rows + ",[Quantita]*[CostoUnitario],Null))"; }
QString hours(const QString& rows) { return "Sum(IIf(" + rows + ",[Quantita],Null))"; }

QString sumsSql(const QString& quotedCode) {
  return "SELECT " + amount("InEconomia=False AND Classe=0") + " AS QuotedLabour, " +
         amount("InEconomia=True AND Classe=0") + " AS ByTimeLabour, " +
         amount("InEconomia=False AND Classe=2") + " AS QuotedMaterials, " +
         amount("InEconomia=True AND Classe=2") + " AS ByTimeMaterials, " +
         amount("InEconomia=False AND Classe=3") + " AS QuotedOther, " +
         amount("InEconomia=True AND Classe=3") +
         " AS ByTimeOther, Sum(IIf(InEconomia=True,[Quantita]*[PrezzoUnitario],Null)) AS ByTimeSales, " +
         hours("InEconomia=False AND Classe=0") + " AS QuotedHours, " +
         hours("InEconomia=True AND Classe=0") +
         " AS ByTimeHours, (SELECT Sum(Prezzo) From CommessePre WHERE CodCom=" + quotedCode +
         ") AS QuotedSales From Costi WHERE CodCom=" + quotedCode;
}

struct Cell {
  JobSummary::Part part;
  JobSummary::Category category;
  const char* column;
};

const Cell Cells[] = {
    {JobSummary::Quoted, JobSummary::Sales, "QuotedSales"},
    {JobSummary::ByTime, JobSummary::Sales, "ByTimeSales"},
    {JobSummary::Quoted, JobSummary::Labour, "QuotedLabour"},
    {JobSummary::ByTime, JobSummary::Labour, "ByTimeLabour"},
    {JobSummary::Quoted, JobSummary::Materials, "QuotedMaterials"},
    {JobSummary::ByTime, JobSummary::Materials, "ByTimeMaterials"},
    {JobSummary::Quoted, JobSummary::OtherCosts, "QuotedOther"},
    {JobSummary::ByTime, JobSummary::OtherCosts, "ByTimeOther"},
};

double sumOf(const db::Recordset& rs, const char* column) {
  return NzNum(rs.Value(QString::fromLatin1(column)), 0);
}

const QString Overflow = QStringLiteral("Gli importi della commessa superano i limiti di calcolo.");

}  // namespace

JobSummary JobSummary::read(db::Connection& cn, const QString& CodCom) { return readWithHours(cn, CodCom); }

JobSummary JobSummary::readWithHours(db::Connection& cn, const QString& CodCom) {
  db::Recordset rs;
  rs.Open(sumsSql(db::jetText(CodCom)), cn, db::adOpenForwardOnly, db::adLockReadOnly, db::adCmdText);
  JobSummary summary;
  for (const Cell& c : Cells) {
    const std::optional<Currency> value = Currency::fromDouble(sumOf(rs, c.column));
    if (!value) throw db::DbError(db::DbError::TypeMismatch, Overflow);
    summary.V[c.part][c.category] = *value;
  }
  summary.quotedHours = sumOf(rs, "QuotedHours");
  summary.byTimeHours = sumOf(rs, "ByTimeHours");
  try {
    summary.complete();
  } catch (const std::overflow_error&) {
    throw db::DbError(db::DbError::TypeMismatch, Overflow);
  }
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
