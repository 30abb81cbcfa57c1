#pragma once

#include "platform/db/Recordset.h"
#include "platform/report/RowSource.h"

namespace report {

// The rows of an SQL text read forward through a forward-only recordset, which reads them all when
// it opens and lets the values of each row go once passed.
class RecordsetRowSource : public RowSource {
 public:
  RecordsetRowSource(const QString& sql, db::Connection& connection);
  QStringList columns() const override;
  bool next(std::vector<Variant>& values) override;

 private:
  db::Recordset m_records;
  bool m_started = false;
};

}  // namespace report
