#pragma once

#include <QString>
#include <vector>

#include "platform/report/Report.h"

// A column of a printed list: its heading on the page header and the field under it on the detail.
struct ListColumn {
  QString label;    // the heading's name; empty for a column without heading
  QString caption;  // the heading's text
  QString field;
  QString dataField;
  int left;
  int width;
  QString format = QString();
  bool right = false;  // amounts: heading and field right-aligned
};

// A list of records: a report header with the title over a rule, a page header with the column
// headings over a rule, a detail of one row per record, and an empty page and report footer.
class ListReport : public report::Report {
 public:
  // Width of the sections, in twips (A4 within the report's margins).
  static constexpr int Width = 9746;

 protected:
  ListReport(const QString& titleLabel, const QString& titleCaption, const QString& titleLine,
             const std::vector<ListColumn>& columns, const QString& headingLine);

  static constexpr double FontSize = 9;
  static constexpr int RowHeight = 260;
};
