#include "jobs/RowWithLines.h"

#include <vector>

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/forms/RecordBinding.h"
#include "platform/runtime/Variant.h"

void writeRowWithLines(db::Connection& connection, db::Recordset& rows, forms::RecordBinding& binding,
                       const std::function<void()>& writeLines) {
  std::vector<Variant> values;
  for (int i = 0; i < rows.FieldCount(); ++i) values.push_back(rows.Value(i));
  connection.BeginTrans();
  try {
    rows.UpdateBatch(db::adAffectCurrent);
    writeLines();
    connection.CommitTrans();
  } catch (const db::DbError&) {
    if (connection.InTransaction()) connection.RollbackTrans();
    if (!rows.EditPending()) {
      rows.AddNew();
      for (int i = 0; i < int(values.size()); ++i) rows.SetValue(i, values[std::size_t(i)]);
      binding.connectTo(&rows);
    }
    throw;
  }
}
