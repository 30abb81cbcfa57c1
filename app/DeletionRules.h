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
struct DeletionRule {
  QString question;       // confirmation question
  QString blockingQuery;  // query that blocks the deletion when it returns a row; empty for none
  QString refusal;        // message shown when the check blocks
  QStringList deletions;  // statements run in this order in one transaction
};

// What the rules read from the current row of the view's grid: column 1 (the key), and columns 3
// and 4 (the unit code and the category description of the list views).
struct RowToDelete {
  Variant key;
  Variant column3;
  Variant column4;
};

// The rule of a view code for a row; none for a code without rules.
std::optional<DeletionRule> ruleFor(const QString& code, const RowToDelete& row);

enum class DeletionOutcome { Cancelled, Refused, Done, Failed };

// Runs the blocking check and the deletions in one write transaction taken before the check, so
// that no other program can link a row to the key between the two. False (nothing deleted) when
// the check blocks; a failure throws db::DbError with the transaction undone.
bool deleteInTransaction(db::Connection& cn, const DeletionRule& rule);

// Asks the rule's question (Yes/No, No as default); on Yes opens a connection, runs the blocking
// check (refusal message on a hit) and the deletions in one transaction. A failure shows the
// database's description and leaves every row in place.
DeletionOutcome runDeletion(const DeletionRule& rule, const QString& connString, QWidget* parent);
