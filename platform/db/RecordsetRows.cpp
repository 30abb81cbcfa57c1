#include "platform/db/RecordsetRows.h"

namespace db {

void RowStore::reset(std::vector<RowColumn> columns) {
  m_columns = std::move(columns);
  clear();
}

void RowStore::clear() {
  m_values.clear();
  m_rowids.clear();
  m_count = 0;
}

Variant* RowStore::appendRow(std::int64_t rowid) {
  const std::size_t start = m_values.size();
  m_values.resize(start + m_columns.size());
  m_rowids.push_back(rowid);
  ++m_count;
  return m_values.data() + start;
}

void RowStore::removeRow(int r) {
  const auto first = m_values.begin() + std::ptrdiff_t(std::size_t(r) * m_columns.size());
  m_values.erase(first, first + std::ptrdiff_t(m_columns.size()));
  m_rowids.erase(m_rowids.begin() + r);
  --m_count;
}

std::vector<Variant> RowStore::copyRow(int r) const {
  const auto first = m_values.begin() + std::ptrdiff_t(std::size_t(r) * m_columns.size());
  return {first, first + std::ptrdiff_t(m_columns.size())};
}

void RowStore::setRow(int r, const std::vector<Variant>& values) {
  std::copy(values.begin(), values.end(), row(r));
}

void RowStore::typeComputedColumns() {
  for (std::size_t c = 0; c < m_columns.size(); ++c) {
    RowColumn& column = m_columns[c];
    if (column.type.kind != ColumnKind::Computed) continue;
    bool text = false, real = false, integer = false, bytes = false;
    for (int r = 0; r < m_count; ++r) {
      switch (value(r, int(c)).type()) {
        case VarType::String: text = true; break;
        case VarType::Double: real = true; break;
        case VarType::Long: integer = true; break;
        case VarType::Bytes: bytes = true; break;
        default: break;
      }
    }
    const ColumnKind kind = text    ? ColumnKind::Text
                            : real    ? ColumnKind::Double
                            : integer ? ColumnKind::Int32
                            : bytes   ? ColumnKind::Binary
                                      : ColumnKind::Text;
    if (kind == ColumnKind::Double) {
      for (int r = 0; r < m_count; ++r) {
        Variant& v = row(r)[c];
        if (v.type() == VarType::Long) v = Variant(v.toDouble());
      }
    }
    column.type = columnTypeOfValues(kind);
    column.info.type = column.type.adoType;
    column.info.definedSize = column.type.definedSize;
  }
}

}  // namespace db
