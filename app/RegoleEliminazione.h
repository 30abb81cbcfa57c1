#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "platform/runtime/Variant.h"

class QWidget;
namespace db {
class Connection;
}

// The deletion rules of the views: they are the only guard of the links between the tables, since
// the database declares none.
struct RegolaEliminazione {
  QString domanda;           // confirmation question
  QString controllo;         // query that blocks the deletion when it returns a row; empty for none
  QString rifiuto;           // message shown when the check blocks
  QStringList eliminazioni;  // statements run in this order in one transaction
};

// What the rules read from the current row of the view's grid: column 1 (the key), and columns 3
// and 4 (the unit code and the category description of the list views).
struct RigaDaEliminare {
  Variant chiave;
  Variant colonna3;
  Variant colonna4;
};

// The rule of a view code for a row; none for a code without rules.
std::optional<RegolaEliminazione> RegolaPer(const QString& codice, const RigaDaEliminare& riga);

enum class EsitoEliminazione { Annullata, Rifiutata, Eseguita, Fallita };

// Runs the blocking check and the deletions in one write transaction taken before the check, so
// that no other program can link a row to the key between the two. False (nothing deleted) when
// the check blocks; a failure throws db::DbError with the transaction undone.
bool EliminaNellaTransazione(db::Connection& cn, const RegolaEliminazione& regola);

// Asks the rule's question (Yes/No, No as default); on Yes opens a connection, runs the blocking
// check (refusal message on a hit) and the deletions in one transaction. A failure shows the
// database's description and leaves every row in place.
EsitoEliminazione EseguiEliminazione(const RegolaEliminazione& regola, const QString& connString,
                                     QWidget* parent);
