#pragma once

#include <functional>

namespace db {
class Connection;
class Recordset;
}  // namespace db

namespace forms {
class RecordBinding;
}

// Writes the pending new row of rows (opened on connection) and then, in the same transaction,
// what belongs to it (writeLines, which finds the row's key in rows): all or nothing. When anything
// fails the transaction is rolled back, the row is pending again with the values it had and bound
// to the window's controls, and the db::DbError goes on to the caller.
void writeRowWithLines(db::Connection& connection, db::Recordset& rows, forms::RecordBinding& binding,
                       const std::function<void()>& writeLines);
