#pragma once

#include <QHash>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/db/ColumnType_p.h"
#include "platform/db/Recordset.h"

struct sqlite3_stmt;

namespace db {

struct RowColumn {
  FieldInfo info;
  ColumnType type;
};

// The result columns of a query as a recordset describes them, and their positions by lower-case
// name.
struct ColumnSet {
  std::vector<RowColumn> columns;
  QHash<QString, int> index;
};

// The rows of a recordset, with the table's rowid of each row when the recordset can write them
// back. Rows are kept as SQLite returned them (numbers as they are, text and blobs copied into
// shared blocks that grow with the rows) and each value is converted the first time it is asked
// for, so that opening a large list costs little more than the query. A converted value stays
// where it is until the store is cleared or its rows are dropped.
class RowStore {
 public:
  // Empties the store for rows of these columns.
  void reset(std::vector<RowColumn> columns);
  void clear();
  // Tells the store that no row will be added: the converted values of a short list then take
  // room for its rows only. Called before any value is converted.
  void seal();
  // Frees the converted values of the rows before `row`, which are not read again.
  void dropValuesBefore(int row);

  int count() const { return int(m_slots.size()); }
  int columnCount() const { return int(m_columns.size()); }
  const RowColumn& column(int c) const { return m_columns[std::size_t(c)]; }

  // The current row of a statement, its values from result column `first` on, at the end.
  void appendStored(sqlite3_stmt* statement, int first, std::int64_t rowid);
  // A new row at the end, every value Null.
  void appendNullRow();
  void removeRow(int row);
  const Variant& value(int r, int c) const;
  void setValue(int r, int c, const Variant& value);
  std::vector<Variant> copyRow(int r) const;
  void setRow(int r, const std::vector<Variant>& values);
  std::int64_t rowid(int r) const { return m_rowids[std::size_t(r)]; }
  void setRowid(int r, std::int64_t rowid) { m_rowids[std::size_t(r)] = rowid; }

  // Gives each computed column the type of its values: text, double, long or bytes. Called once the
  // rows are read, before any value is converted.
  void typeComputedColumns();

 private:
  // A value as read: SQLite's storage class, or Converted once the value lives in the chunk's
  // values. The payload is the integer, the bits of the double, or the address of the text and blob
  // bytes.
  struct RawCell {
    std::int64_t payload = 0;
    std::uint32_t length = 0;
    std::uint8_t storage = 0;
  };
  static constexpr std::uint8_t Converted = 0;
  // The converted values of one column of 256 slots (fewer in a sealed short list), made when one
  // of them is first asked for; they never move once made.
  using Chunk = std::vector<std::unique_ptr<Variant[]>>;

  int appendSlot(std::int64_t rowid);
  std::size_t slotsPerChunk() const { return std::size_t(1) << m_chunkShift; }
  RawCell& raw(int slot, int c) const;
  Variant& cached(int slot, int c) const;
  const char* keepBytes(const char* bytes, int length);
  StoredValue stored(const RawCell& cell) const;

  std::vector<RowColumn> m_columns;
  std::vector<ColumnKind> m_readKinds;                // how each column's stored values are converted
  static constexpr int kRawShift = 8;                 // slots of a chunk of stored values
  mutable std::vector<std::vector<RawCell>> m_raw;    // by slot, then column; mutable: marked Converted
  mutable std::vector<Chunk> m_chunks;                // mutable: values are made on first read
  std::vector<std::unique_ptr<char[]>> m_byteBlocks;  // text and blob bytes of the stored values
  char* m_blockNext = nullptr;                        // free bytes of the current block
  std::size_t m_blockFree = 0;
  std::size_t m_blockSize = 0;         // of the current block of short values
  std::vector<int> m_slots;            // row -> slot; a removed row leaves its slot unused
  std::vector<std::int64_t> m_rowids;  // by row
  int m_slotCount = 0;
  int m_chunkShift = 8;              // slots per chunk as a power of two
  std::size_t m_firstKeptChunk = 0;  // the chunks before it were let go
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
