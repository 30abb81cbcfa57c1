#include "platform/report/DataControl.h"

#include "platform/report/ReportError.h"

namespace report {

bool DataControl::hasColumn(const QString& column) const { return m_index.contains(column.toLower()); }

Variant DataControl::value(const QString& column) const {
  const auto found = m_index.constFind(column.toLower());
  if (found == m_index.constEnd())
    throw ReportError(QStringLiteral("Il campo \"%1\" non è tra i dati del report.").arg(column));
  return size_t(*found) < m_values.size() ? m_values[size_t(*found)] : Variant::null();
}

void DataControl::setColumns(const QStringList& columns) {
  m_index.clear();
  for (int i = 0; i < columns.size(); ++i) m_index.insert(columns[i].toLower(), i);
  m_values.clear();
}

void DataControl::setRecord(std::vector<Variant> values) { m_values = std::move(values); }

void DataControl::clearRecord() { m_values.clear(); }

}  // namespace report
