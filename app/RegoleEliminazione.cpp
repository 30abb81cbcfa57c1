#include "app/RegoleEliminazione.h"

#include "core/Globals.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/Recordset.h"
#include "platform/forms/MsgBox.h"

namespace {

// A numeric key as SQL: the number, or Null (which matches no row) when the cell holds none.
QString NumeroSql(const Variant& valore) {
  return valore.isNumber() ? valore.toString() : QStringLiteral("Null");
}

// A date key as a Jet date literal, with four-digit year so that no century is guessed.
QString DataSql(const Variant& valore) {
  return "#" + valore.toDate().toString(QStringLiteral("MM/dd/yyyy")) + "#";
}

// After a failure: undoes the open transaction and closes the connection, whatever state it is in.
void Abbandona(db::Connection& cn) {
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

std::optional<RegolaEliminazione> RegolaPer(const QString& codice, const RigaDaEliminare& riga) {
  const QString testo = db::jetText(riga.chiave.toString());
  const QString numero = NumeroSql(riga.chiave);

  if (codice == "com")
    return RegolaEliminazione{
        "Eliminare la Commessa selezionata?\r\nL'operazione cancellerà anche tutte le "
        "registrazioni associate.",
        QString(),
        QString(),
        {"DELETE * FROM Costi WHERE CodCom=" + testo, "DELETE * FROM CommessePre WHERE CodCom=" + testo,
         "DELETE * FROM Commesse WHERE CodCom=" + testo}};
  if (codice == "rpu")
    return RegolaEliminazione{
        "Eliminare tutti i rapporti del " + riga.chiave.toDate().toString(QStringLiteral("dd-MM-yyyy")) +
            " ?",
        QString(),
        QString(),
        {"DELETE * FROM Costi WHERE Data=" + DataSql(riga.chiave)}};
  if (codice == "art")
    return RegolaEliminazione{
        "Eliminare l'Articolo selezionato?", "SELECT IdCosto FROM Costi WHERE Codice=" + testo,
        "L'Articolo ha delle Registrazioni associate, quindi non verrà eliminato.",
        {"DELETE * FROM Articoli WHERE Codice=" + testo}};
  if (codice == "for")
    return RegolaEliminazione{
        "Eliminare il Fornitore selezionato?",
        "SELECT IdFornitore FROM Articoli WHERE IdFornitore=" + numero,
        "Il Fornitore ha delle registrazioni associate, quindi non verrà eliminato.",
        {"DELETE * FROM CliFor WHERE IdCliFor=" + numero}};
  if (codice == "cli")
    return RegolaEliminazione{
        "Eliminare il Cliente selezionato?", "SELECT IdCliente FROM Commesse WHERE IdCliente=" + numero,
        "Il Cliente ha una o più Commesse associate, quindi non verrà eliminato.",
        {"DELETE * FROM CliFor WHERE IdCliFor=" + numero}};
  if (codice == "imp")
    return RegolaEliminazione{
        "Eliminare l'Impiegato selezionato?", "SELECT * FROM Costi WHERE CodImp=" + numero,
        "L'impiegato ha delle registrazioni associate, quindi non verrà eliminato.",
        {"DELETE * FROM Impiegati WHERE CodImp=" + numero}};
  if (codice == "adi")
    return RegolaEliminazione{
        "Eliminare Il Modello Preventivo selezionato?",
        "SELECT CodCom FROM Commesse WHERE IdModello=" + numero,
        "Il Modello ha delle Registrazioni associate, quindi non verrà eliminato.",
        {"DELETE * FROM PreVoci WHERE IdModelloPre=" + numero,
         "DELETE * FROM PreModelli WHERE IdModello=" + numero}};
  if (codice == "cat")
    return RegolaEliminazione{
        "Eliminare la Categoria selezionata?",
        "SELECT Codice FROM Articoli WHERE Categoria=" + db::jetText(riga.colonna4.toString()),
        "La categoria ha Articoli associati, quindi non verrà eliminata.",
        {"DELETE * FROM Liste WHERE Id=" + numero}};
  if (codice == "umi")
    return RegolaEliminazione{
        "Eliminare l'Unità di misura selezionata?",
        "SELECT Codice FROM Articoli WHERE UM=" + db::jetText(riga.colonna3.toString()),
        "L'unità di misura ha Articoli associati, quindi non verrà eliminata.",
        {"DELETE * FROM Liste WHERE Id=" + numero}};
  if (codice == "iva")
    return RegolaEliminazione{
        "Eliminare il Codice IVA selezionato?", "SELECT Codice FROM Articoli WHERE CodiceIVA=" + testo,
        "Il Codice IVA ha Articoli associati, quindi non verrà eliminato.",
        {"DELETE * FROM CodiciIVA WHERE CodiceIVA=" + testo}};
  return std::nullopt;
}

bool EliminaNellaTransazione(db::Connection& cn, const RegolaEliminazione& regola) {
  cn.BeginTrans();
  if (!regola.controllo.isEmpty()) {
    db::Recordset rs;
    rs.Open(regola.controllo, cn, db::adOpenStatic, db::adLockReadOnly, db::adCmdText);
    const bool bloccato = !rs.isEOF();
    rs.Close();
    if (bloccato) {
      cn.RollbackTrans();
      return false;
    }
  }
  for (const QString& sql : regola.eliminazioni) cn.Execute(sql);
  cn.CommitTrans();
  return true;
}

EsitoEliminazione EseguiEliminazione(const RegolaEliminazione& regola, const QString& connString,
                                     QWidget* parent) {
  using namespace forms;
  if (MsgBox(regola.domanda, vbYesNo | vbQuestion | vbDefaultButton2, AppTitle, parent) != vbYes)
    return EsitoEliminazione::Annullata;

  db::Connection cn;
  try {
    cn.setCursorLocation(db::adUseClient);
    cn.Open(connString);
    const bool eseguita = EliminaNellaTransazione(cn, regola);
    cn.Close();
    if (eseguita) return EsitoEliminazione::Eseguita;
    MsgBox(regola.rifiuto, vbOKOnly, AppTitle, parent);
    return EsitoEliminazione::Rifiutata;
  } catch (const db::DbError& e) {
    Abbandona(cn);
    MsgBox(e.description(), vbOKOnly, AppTitle, parent);
    return EsitoEliminazione::Fallita;
  }
}
