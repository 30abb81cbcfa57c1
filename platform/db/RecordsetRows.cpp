#include "platform/db/RecordsetRows_p.h"

#include <sqlite3.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace db {

namespace {

// Bytes of the blocks of short text and blob values: the first is small, for the many queries of a
// few rows, and each next one twice the last up to the largest.
constexpr std::size_t kFirstBlockSize = 4096;
constexpr std::size_t kBlockSize = 1 << 20;

}  // namespace

void RowStore::reset(std::vector<RowColumn> columns) {
  m_columns = std::move(columns);
  m_readKinds.clear();
  for (const RowColumn& column : m_columns) m_readKinds.push_back(column.type.kind);
  clear();
}

void RowStore::clear() {
  m_raw.clear();
  m_chunks.clear();
  m_byteBlocks.clear();
  m_blockNext = nullptr;
  m_blockFree = 0;
  m_blockSize = 0;
  m_slots.clear();
  m_rowids.clear();
  m_slotCount = 0;
  m_chunkShift = 8;
  m_firstKeptChunk = 0;
}

void RowStore::seal() {
  m_chunkShift = 0;
  while (m_chunkShift < 8 && (1 << m_chunkShift) < m_slotCount) ++m_chunkShift;
}

void RowStore::dropValuesBefore(int row) {
  const std::size_t end = std::min(m_chunks.size(), std::size_t(m_slots[std::size_t(row)] >> m_chunkShift));
  for (; m_firstKeptChunk < end; ++m_firstKeptChunk) Chunk().swap(m_chunks[m_firstKeptChunk]);
}

int RowStore::appendSlot(std::int64_t rowid) {
  const int slot = m_slotCount++;
  const std::size_t chunk = std::size_t(slot >> kRawShift);
  if (chunk == m_raw.size()) {
    m_raw.emplace_back();
    // The first chunk grows with its rows; the next ones are of a long list and fill up.
    if (chunk > 0) m_raw.back().reserve(m_columns.size() << kRawShift);
  }
  m_raw[chunk].resize(m_raw[chunk].size() + m_columns.size());
  m_slots.push_back(slot);
  m_rowids.push_back(rowid);
  return slot;
}

RowStore::RawCell& RowStore::raw(int slot, int c) const {
  return m_raw[std::size_t(slot >> kRawShift)]
              [(std::size_t(slot) & ((1 << kRawShift) - 1)) * m_columns.size() + std::size_t(c)];
}

Variant& RowStore::cached(int slot, int c) const {
  const std::size_t chunk = std::size_t(slot >> m_chunkShift);
  if (chunk >= m_chunks.size()) m_chunks.resize(chunk + 1);
  if (m_chunks[chunk].empty()) m_chunks[chunk].resize(m_columns.size());
  std::unique_ptr<Variant[]>& values = m_chunks[chunk][std::size_t(c)];
  if (!values) values = std::make_unique<Variant[]>(slotsPerChunk());
  return values[std::size_t(slot) & (slotsPerChunk() - 1)];
}

const char* RowStore::keepBytes(const char* bytes, int length) {
  const auto size = std::size_t(length);
  // An empty value keeps only whether it had bytes at all: SQLite gives none for an empty blob.
  if (size == 0) return bytes ? "" : nullptr;
  char* place;
  if (size > kBlockSize / 4) {
    // A long value gets a block of its own; the current block keeps taking the short ones.
    m_byteBlocks.push_back(std::make_unique_for_overwrite<char[]>(size));
    place = m_byteBlocks.back().get();
  } else {
    if (size > m_blockFree) {
      m_blockSize =
          std::max(size, m_blockSize == 0 ? kFirstBlockSize : std::min(kBlockSize, 2 * m_blockSize));
      m_byteBlocks.push_back(std::make_unique_for_overwrite<char[]>(m_blockSize));
      m_blockNext = m_byteBlocks.back().get();
      m_blockFree = m_blockSize;
    }
    place = m_blockNext;
    m_blockNext += size;
    m_blockFree -= size;
  }
  std::memcpy(place, bytes, size);
  return place;
}

void RowStore::appendStored(sqlite3_stmt* statement, int first, std::int64_t rowid) {
  const int slot = appendSlot(rowid);
  for (int c = 0; c < columnCount(); ++c) {
    const StoredValue v = storedValue(statement, c + first);
    RawCell& cell = raw(slot, c);
    cell.storage = std::uint8_t(v.storage);
    switch (v.storage) {
      case SQLITE_INTEGER: cell.payload = v.integer; break;
      case SQLITE_FLOAT: cell.payload = std::bit_cast<std::int64_t>(v.real); break;
      case SQLITE_TEXT:
      case SQLITE_BLOB:
        cell.payload = reinterpret_cast<std::intptr_t>(keepBytes(v.bytes, v.length));
        cell.length = std::uint32_t(v.length);
        break;
      default: break;
    }
  }
}

void RowStore::appendNullRow() {
  const int slot = appendSlot(0);
  for (int c = 0; c < columnCount(); ++c) raw(slot, c).storage = SQLITE_NULL;
}

void RowStore::removeRow(int r) {
  m_slots.erase(m_slots.begin() + r);
  m_rowids.erase(m_rowids.begin() + r);
}

StoredValue RowStore::stored(const RawCell& cell) const {
  StoredValue v;
  v.storage = cell.storage;
  switch (cell.storage) {
    case SQLITE_INTEGER:
      v.integer = cell.payload;
      v.real = static_cast<double>(cell.payload);
      break;
    case SQLITE_FLOAT: v.real = std::bit_cast<double>(cell.payload); break;
    case SQLITE_TEXT:
    case SQLITE_BLOB:
      v.bytes = reinterpret_cast<const char*>(cell.payload);
      v.length = int(cell.length);
      break;
    default: break;
  }
  return v;
}

const Variant& RowStore::value(int r, int c) const {
  const int slot = m_slots[std::size_t(r)];
  RawCell& cell = raw(slot, c);
  Variant& v = cached(slot, c);
  if (cell.storage != Converted) {
    v = convertStored(stored(cell), m_readKinds[std::size_t(c)]);
    cell.storage = Converted;
  }
  return v;
}

void RowStore::setValue(int r, int c, const Variant& value) {
  const int slot = m_slots[std::size_t(r)];
  cached(slot, c) = value;
  raw(slot, c).storage = Converted;
}

std::vector<Variant> RowStore::copyRow(int r) const {
  std::vector<Variant> values;
  values.reserve(m_columns.size());
  for (int c = 0; c < columnCount(); ++c) values.push_back(value(r, c));
  return values;
}

void RowStore::setRow(int r, const std::vector<Variant>& values) {
  for (int c = 0; c < columnCount(); ++c) setValue(r, c, values[std::size_t(c)]);
}

void RowStore::typeComputedColumns() {
  for (std::size_t c = 0; c < m_columns.size(); ++c) {
    RowColumn& column = m_columns[c];
    if (column.type.kind != ColumnKind::Computed) continue;
    bool text = false, real = false, integer = false, bytes = false;
    for (int r = 0; r < count(); ++r) {
      const RawCell& cell = raw(m_slots[std::size_t(r)], int(c));
      switch (cell.storage) {
        case SQLITE_TEXT: text = true; break;
        case SQLITE_FLOAT: real = true; break;
        case SQLITE_BLOB: bytes = true; break;
        case SQLITE_INTEGER:
          // Integers beyond 32 bits are read as doubles.
          if (cell.payload < std::numeric_limits<std::int32_t>::min() ||
              cell.payload > std::numeric_limits<std::int32_t>::max())
            real = true;
          else
            integer = true;
          break;
        default: break;
      }
    }
    const ColumnKind kind = text      ? ColumnKind::Text
                            : real    ? ColumnKind::Double
                            : integer ? ColumnKind::Int32
                            : bytes   ? ColumnKind::Binary
                                      : ColumnKind::Text;
    // Integers in a column of doubles are read as doubles too.
    if (kind == ColumnKind::Double) m_readKinds[c] = ColumnKind::Double;
    column.type = columnTypeOfValues(kind);
    column.info.type = column.type.adoType;
    column.info.definedSize = column.type.definedSize;
  }
}

}  // namespace db
