#pragma once

#include "platform/db/Recordset.h"
#include "platform/report/RowSource.h"

namespace report {

// The rows of an SQL text read forward through a recordset, one row in memory at a time.
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
