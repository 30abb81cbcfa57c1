#pragma once

#include <cstdint>
#include <vector>

#include "platform/db/ColumnType.h"
#include "platform/db/Recordset.h"

namespace db {

struct RowColumn {
  FieldInfo info;
  ColumnType type;
};

// The rows of a recordset in one flat, row-major vector of values, with the table's rowid of each row
// when the recordset can write them back.
class RowStore {
 public:
  void reset(std::vector<RowColumn> columns);
  void clear();

  int count() const { return m_count; }
  int columnCount() const { return int(m_columns.size()); }
  const RowColumn& column(int c) const { return m_columns[std::size_t(c)]; }

  // A new row at the end, its values Empty until the caller fills them.
  Variant* appendRow(std::int64_t rowid);
  void removeRow(int row);
  Variant* row(int r) { return &m_values[std::size_t(r) * m_columns.size()]; }
  const Variant& value(int r, int c) const { return m_values[std::size_t(r) * m_columns.size() + std::size_t(c)]; }
  std::vector<Variant> copyRow(int r) const;
  void setRow(int r, const std::vector<Variant>& values);
  std::int64_t rowid(int r) const { return m_rowids[std::size_t(r)]; }
  void setRowid(int r, std::int64_t rowid) { m_rowids[std::size_t(r)] = rowid; }

  // Gives each computed column the type of its values: text, double, long or bytes.
  void typeComputedColumns();

 private:
  std::vector<RowColumn> m_columns;
  std::vector<Variant> m_values;
  std::vector<std::int64_t> m_rowids;
  int m_count = 0;
};

// The row being edited or added and what it held when the edit began.
struct PendingRow {
  bool active = false;
  bool isNew = false;
  int row = -1;
  int returnTo = 0;  // position to go back to when a new row is cancelled
  std::vector<Variant> original;
  std::vector<bool> assigned;
};

}  // namespace db
