#pragma once

#include <QString>
#include <vector>

#include "platform/report/Report.h"

// A sub-report that lists rows: a bold title and a row of column headings over a rule, then one
// detail row per record. Texts wrap within their column; amounts and quantities are right-aligned.
class ListLayout : public report::Report {
 protected:
  struct Heading {
    QString text;
    int left;
    int width;
    bool right = false;
  };
  enum class Kind { Text, Date, Number, Check };
  struct Column {
    QString name;
    QString dataField;
    int left;
    int width;
    Kind kind = Kind::Text;
  };

  ListLayout(const QString& title, const std::vector<Heading>& headings, const std::vector<Column>& columns);

  // A report footer with the sums of these columns over the sub-report's rows, under a rule.
  void addTotals(const std::vector<Column>& columns);

  static constexpr int RowHeight = 240;
  static constexpr double FontSize = 8;
  static const QString AmountFormat;
};
