// RecordsetRowSource
#include "platform/report/RecordsetRowSource_p.h"

namespace report {

RecordsetRowSource::RecordsetRowSource(const QString& sql, db::Connection& connection) {
  m_records.Open(sql, connection, db::adOpenForwardOnly, db::adLockReadOnly);
}

QStringList RecordsetRowSource::columns() const { return m_records.FieldNames(); }

bool RecordsetRowSource::next(std::vector<Variant>& values) {
  if (m_started && !m_records.isEOF()) m_records.MoveNext();
  m_started = true;
  if (m_records.isEOF()) return false;
  const int count = m_records.FieldCount();
  values.clear();
  values.reserve(size_t(count));
  for (int i = 0; i < count; ++i) values.push_back(m_records.Value(i));
  return true;
}

}  // namespace report
