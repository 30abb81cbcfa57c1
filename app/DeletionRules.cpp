#include "app/DeletionRules.h"

#include "core/Globals.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/Recordset.h"
#include "platform/forms/MsgBox.h"

namespace {

// A numeric key as SQL: the number, or Null (which matches no row) when the cell holds none.
QString sqlNumber(const Variant& value) {
  return value.isNumber() ? value.toString() : QStringLiteral("Null");
}

// A date key as a Jet date literal, with four-digit year so that no century is guessed.
QString sqlDate(const Variant& value) {
  return "#" + value.toDate().toString(QStringLiteral("MM/dd/yyyy")) + "#";
}

// After a failure: undoes the open transaction and closes the connection, whatever state it is in.
void abandon(db::Connection& cn) {
  try {
    if (cn.InTransaction()) cn.RollbackTrans();
  } catch (const db::DbError&) {
    // Closing drops the transaction all the same.
  }
  try {
    if (cn.IsOpen()) cn.Close();
  } catch (const db::DbError&) {
    // Nothing more can be done with a connection that cannot close; the message follows.
  }
}

}  // namespace

std::optional<DeletionRule> ruleFor(const QString& code, const RowToDelete& row) {
  const QString text = db::jetText(row.key.toString());
  const QString number = sqlNumber(row.key);

  if (code == "com")
    return DeletionRule{
        "Eliminare la Commessa selezionata?\r\nL'operazione cancellerà anche tutte le "
        "registrazioni associate.",
        QString(),
        QString(),
        {"DELETE * FROM Costi WHERE CodCom=" + text, "DELETE * FROM CommessePre WHERE CodCom=" + text,
         "DELETE * FROM Commesse WHERE CodCom=" + text}};
  if (code == "rpu")
    return DeletionRule{
        "Eliminare tutti i rapporti del " + row.key.toDate().toString(QStringLiteral("dd-MM-yyyy")) + " ?",
        QString(),
        QString(),
        {"DELETE * FROM Costi WHERE Data=" + sqlDate(row.key)}};
  if (code == "art")
    return DeletionRule{"Eliminare l'Articolo selezionato?",
                        "SELECT IdCosto FROM Costi WHERE Codice=" + text,
                        "L'Articolo ha delle Registrazioni associate, quindi non verrà eliminato.",
                        {"DELETE * FROM Articoli WHERE Codice=" + text}};
  if (code == "for")
    return DeletionRule{"Eliminare il Fornitore selezionato?",
                        "SELECT IdFornitore FROM Articoli WHERE IdFornitore=" + number,
                        "Il Fornitore ha delle registrazioni associate, quindi non verrà eliminato.",
                        {"DELETE * FROM CliFor WHERE IdCliFor=" + number}};
  if (code == "cli")
    return DeletionRule{"Eliminare il Cliente selezionato?",
                        "SELECT IdCliente FROM Commesse WHERE IdCliente=" + number,
                        "Il Cliente ha una o più Commesse associate, quindi non verrà eliminato.",
                        {"DELETE * FROM CliFor WHERE IdCliFor=" + number}};
  if (code == "imp")
    return DeletionRule{"Eliminare l'Impiegato selezionato?",
                        "SELECT * FROM Costi WHERE CodImp=" + number,
                        "L'impiegato ha delle registrazioni associate, quindi non verrà eliminato.",
                        {"DELETE * FROM Impiegati WHERE CodImp=" + number}};
  if (code == "adi")
    return DeletionRule{"Eliminare Il Modello Preventivo selezionato?",
                        "SELECT CodCom FROM Commesse WHERE IdModello=" + number,
                        "Il Modello ha delle Registrazioni associate, quindi non verrà eliminato.",
                        {"DELETE * FROM PreVoci WHERE IdModelloPre=" + number,
                         "DELETE * FROM PreModelli WHERE IdModello=" + number}};
  if (code == "cat")
    return DeletionRule{"Eliminare la Categoria selezionata?",
                        "SELECT Codice FROM Articoli WHERE Categoria=" + db::jetText(row.column4.toString()),
                        "La categoria ha Articoli associati, quindi non verrà eliminata.",
                        {"DELETE * FROM Liste WHERE Id=" + number}};
  if (code == "umi")
    return DeletionRule{"Eliminare l'Unità di misura selezionata?",
                        "SELECT Codice FROM Articoli WHERE UM=" + db::jetText(row.column3.toString()),
                        "L'unità di misura ha Articoli associati, quindi non verrà eliminata.",
                        {"DELETE * FROM Liste WHERE Id=" + number}};
  if (code == "iva")
    return DeletionRule{"Eliminare il Codice IVA selezionato?",
                        "SELECT Codice FROM Articoli WHERE CodiceIVA=" + text,
                        "Il Codice IVA ha Articoli associati, quindi non verrà eliminato.",
                        {"DELETE * FROM CodiciIVA WHERE CodiceIVA=" + text}};
  return std::nullopt;
}

bool deleteInTransaction(db::Connection& cn, const DeletionRule& rule) {
  cn.BeginTrans();
  if (!rule.blockingQuery.isEmpty()) {
    db::Recordset rs;
    rs.Open(rule.blockingQuery, cn, db::adOpenStatic, db::adLockReadOnly, db::adCmdText);
    const bool blocked = !rs.isEOF();
    rs.Close();
    if (blocked) {
      cn.RollbackTrans();
      return false;
    }
  }
  for (const QString& sql : rule.deletions) cn.Execute(sql);
  cn.CommitTrans();
  return true;
}

DeletionOutcome runDeletion(const DeletionRule& rule, const QString& connString, QWidget* parent) {
  using namespace forms;
  if (MsgBox(rule.question, vbYesNo | vbQuestion | vbDefaultButton2, AppTitle, parent) != vbYes)
    return DeletionOutcome::Cancelled;

  db::Connection cn;
  try {
    cn.setCursorLocation(db::adUseClient);
    cn.Open(connString);
    const bool done = deleteInTransaction(cn, rule);
    cn.Close();
    if (done) return DeletionOutcome::Done;
    MsgBox(rule.refusal, vbOKOnly, AppTitle, parent);
    return DeletionOutcome::Refused;
  } catch (const db::DbError& e) {
    abandon(cn);
    forms::showError(e, parent, forms::ErrorIcon::None);
    return DeletionOutcome::Failed;
  }
}
