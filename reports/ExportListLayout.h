#pragma once

#include <QString>
#include <QStringList>

#include "reports/ListReport.h"

// A list with an export flag. While ModoExport is true the list comes out as a plain table for a
// spreadsheet or a web page: no report header, report footer or page footer, the page header on
// page 1 only and without its rule, and the named text fields kept on one line each. With the flag
// false every section prints as designed.
class ExportListLayout : public ListReport {
 public:
  bool ModoExport = false;

 protected:
  ExportListLayout(const QString& titleLabel, const QString& titleCaption, const QString& titleLine,
                   const std::vector<ListColumn>& columns, const QString& headingLine,
                   const QStringList& oneLineFields);
  void Format(report::Section& section) override;

 private:
  QString m_headingLine;
  QStringList m_oneLineFields;
};
