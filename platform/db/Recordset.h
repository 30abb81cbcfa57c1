#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "platform/db/AdoTypes.h"
#include "platform/runtime/Variant.h"

namespace db {

class Connection;

// What the layer knows of one column of a recordset.
struct FieldInfo {
  QString name;  // as the query names it
  DataType type = adEmpty;
  int definedSize = 0;  // characters for adVarWChar, bytes for fixed types
  QString baseTable;    // the table the column comes from, when it comes from one
  QString baseColumn;
};

// A set of rows read from a table name or a SELECT, held in memory (a static, client-side cursor).
// Positions run 0..RecordCount-1; BOF and EOF are the places before the first and after the last.
// Every recordset reads all its rows when it opens (and again on Requery) and keeps no statement
// open: it shows the rows committed at that moment, whatever any connection or program writes,
// commits or rolls back afterwards, and holds no lock while it is read. A read that fails throws
// from Open or Requery. A forward-only, read-only recordset only moves on: its RecordCount is -1,
// going back (MovePrevious, MoveFirst after the first row, MoveLast, another position, ValueAt of
// another row) throws DbError::InvalidState, and the values of the rows it passed are let go.
// Field types come from the columns' declared types; a computed column takes the type of the column
// it aggregates (Sum of a currency column is currency) or else of its values. A column that appears
// twice in a join is named by its table ("Costi.Codice"), as Jet names it.
// A recordset over one table (a table name, or a SELECT reading one table) opened with a lock type
// other than read-only is updatable: AddNew / field assignment / Update or UpdateBatch write the
// current row by its key (SQLite's rowid where the table has no key). Updates are optimistic: a row
// changed in the database since it was read is not overwritten and the write throws
// DbError::Conflict. A failed write leaves the database as it was and the row still pending. After a
// write the row is read back, so it shows the AutoNumber key and the table's defaults.
class Recordset {
 public:
  Recordset();
  ~Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  void Open(const QString& source, Connection& connection, CursorType cursor = adOpenStatic,
            LockType lock = adLockReadOnly, CommandType command = adCmdUnknown);
  void Close();
  bool IsOpen() const;
  // Runs the source again and keeps the position when the row count allows.
  void Requery();

  bool isEOF() const;
  bool isBOF() const;
  int RecordCount() const;
  int AbsolutePosition() const;            // 0-based; -1 at BOF or EOF
  void setAbsolutePosition(int position);  // 0-based
  void MoveFirst();
  void MoveLast();
  void MoveNext();
  void MovePrevious();

  int FieldCount() const;
  const FieldInfo& Field(int index) const;
  int FieldIndex(const QString& name) const;  // -1 when no field has that name (case-insensitive)
  QStringList FieldNames() const;

  // Value of the current row (Empty never: a missing value is Null). Throws at BOF/EOF or for an
  // unknown field.
  Variant Value(int index) const;
  Variant Value(const QString& name) const;
  // Value of any row without moving, for grids.
  const Variant& ValueAt(int row, int column) const;

  // Editing. Assigning a value starts an edit of the current row (or fills the row AddNew made). The
  // value is converted to the column's type on assignment (text to numbers and dates as the user
  // writes them, blank text to Null, Null to False in a Yes/No column); a value that does not fit,
  // or text longer than the column, throws DbError::TypeMismatch and changes nothing. Moving to
  // another row, or AddNew, first writes a pending edit.
  bool Updatable() const;
  void AddNew();
  void SetValue(int index, const Variant& value);
  void SetValue(const QString& name, const Variant& value);
  bool EditPending() const;  // an AddNew or an edited row not yet written
  bool IsNewRow() const;     // the pending row is a new one
  void Update();             // writes the pending row; AutoNumber key read back into the row
  void UpdateBatch(AffectEnum affect = adAffectCurrent);  // the same for the current row
  void CancelUpdate();                                    // drops the pending changes
  void Delete();  // deletes the current row from table and recordset; the next row becomes current

  QString source() const;
  QString baseTable() const;  // empty when the recordset is not updatable

 private:
  struct Impl;
  std::unique_ptr<Impl> d;
};

}  // namespace db
