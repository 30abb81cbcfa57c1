#include "platform/report/DataControl.h"

#include "platform/report/ReportError.h"

namespace report {

bool DataControl::hasColumn(const QString& column) const {
  return m_index.contains(column) || m_index.contains(column.toLower());
}

Variant DataControl::value(const QString& column) const {
  auto found = m_index.constFind(column);
  if (found == m_index.constEnd()) found = m_index.constFind(column.toLower());
  if (found == m_index.constEnd())
    throw ReportError(QStringLiteral("Il campo \"%1\" non è tra i dati del report.").arg(column));
  return size_t(*found) < m_values.size() ? m_values[size_t(*found)] : Variant::null();
}

// A sub-report runs once for each record of its parent, over the same columns each time: the index
// is built again only when they change.
void DataControl::setColumns(const QStringList& columns) {
  m_values.clear();
  if (columns == m_columns && !m_index.isEmpty()) return;
  m_columns = columns;
  m_index.clear();
  for (int i = 0; i < columns.size(); ++i) m_index.insert(columns[i].toLower(), i);
  for (const QString& column : columns) m_index.insert(column, m_index.value(column.toLower()));
}

void DataControl::setRecord(std::vector<Variant> values) { m_values = std::move(values); }

void DataControl::clearRecord() { m_values.clear(); }

}  // namespace report
