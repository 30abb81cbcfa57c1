#include "jobs/DatiCommessa.h"

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

struct Somma {
  DatiCommessa::Parte parte;
  DatiCommessa::Categoria categoria;
  QString prefisso;  // followed by the quoted code
};

const Somma Somme[] = {
    {DatiCommessa::Preventivo, DatiCommessa::Vendita, QStringLiteral("SELECT Sum(Prezzo) AS V From CommessePre WHERE CodCom=")},
    {DatiCommessa::InEconomia, DatiCommessa::Vendita,
     QStringLiteral("SELECT Sum([Quantita]*[PrezzoUnitario]) AS V From Costi WHERE InEconomia=True AND CodCom=")},
    {DatiCommessa::Preventivo, DatiCommessa::Manodopera, Amount + "InEconomia=False AND Classe=0 AND CodCom="},
    {DatiCommessa::InEconomia, DatiCommessa::Manodopera, Amount + "InEconomia=True AND Classe=0 AND CodCom="},
    {DatiCommessa::Preventivo, DatiCommessa::Materiali, Amount + "InEconomia=False AND Classe=2 AND CodCom="},
    {DatiCommessa::InEconomia, DatiCommessa::Materiali, Amount + "InEconomia=True AND Classe=2 AND CodCom="},
    {DatiCommessa::Preventivo, DatiCommessa::AltriCosti, Amount + "InEconomia=False AND Classe=3 AND CodCom="},
    {DatiCommessa::InEconomia, DatiCommessa::AltriCosti, Amount + "InEconomia=True AND Classe=3 AND CodCom="},
};

// The one value of a one-row sum; an empty sum is 0.
double valoreSomma(db::Connection& cn, const QString& sql, const QString& column) {
  db::Recordset rs;
  rs.Open(sql, cn, db::adOpenForwardOnly, db::adLockReadOnly, db::adCmdText);
  const double value = rs.isEOF() ? 0 : NzNum(rs.Value(column), 0);
  rs.Close();
  return value;
}

const QString Overflow = QStringLiteral("Gli importi della commessa superano i limiti di calcolo.");

}  // namespace

DatiCommessa DatiCommessa::Leggi(db::Connection& cn, const QString& CodCom) {
  const QString codice = db::jetText(CodCom);
  DatiCommessa dati;
  for (const Somma& s : Somme) {
    const std::optional<Currency> value =
        Currency::fromDouble(valoreSomma(cn, s.prefisso + codice, QStringLiteral("V")));
    if (!value) throw db::DbError(db::DbError::TypeMismatch, Overflow);
    dati.V[s.parte][s.categoria] = *value;
  }
  try {
    dati.Completa();
  } catch (const std::overflow_error&) {
    throw db::DbError(db::DbError::TypeMismatch, Overflow);
  }
  return dati;
}

DatiCommessa DatiCommessa::LeggiConOre(db::Connection& cn, const QString& CodCom) {
  DatiCommessa dati = Leggi(cn, CodCom);
  const QString codice = db::jetText(CodCom);
  dati.OrePreventivo = valoreSomma(cn, Hours + "InEconomia=False AND Classe=0 AND CodCom=" + codice, QStringLiteral("Q"));
  dati.OreEconomia = valoreSomma(cn, Hours + "InEconomia=True AND Classe=0 AND CodCom=" + codice, QStringLiteral("Q"));
  return dati;
}

void DatiCommessa::Completa() {
  for (Categoria k : {Vendita, Manodopera, Materiali, AltriCosti}) V[Totale][k] = V[Preventivo][k] + V[InEconomia][k];
  for (auto& parte : V) {
    parte[Costi] = parte[Manodopera] + parte[Materiali] + parte[AltriCosti];
    parte[UtilePerdita] = parte[Vendita] - parte[Costi];
  }
}

QString DatiCommessa::Testo(Currency value) { return Format(Variant(value), QStringLiteral("##,##0.00 ")); }

QString DatiCommessa::Testo(double value) { return Format(Variant(value), QStringLiteral("##,##0.00 ")); }
