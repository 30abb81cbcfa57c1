#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace report {

// One cell of a worksheet.
struct SheetCell {
  enum class Kind { Text, Number };
  int row = 0;
  int column = 0;
  Kind kind = Kind::Text;
  QString text;       // Text
  double number = 0;  // Number; a date as days since 30 December 1899
  QString format;     // Number: an Excel number format ("#,##0.00", "dd/mm/yyyy"); empty for General
};

// The Workbook stream of an Excel 97-2003 file (BIFF8) with one worksheet named `sheetName`.
// Column widths are in twips. Cells beyond the format's 65 536 rows or 256 columns throw
// ReportError.
QByteArray biff8Workbook(const QString& sheetName, const std::vector<SheetCell>& cells,
                         const std::vector<int>& columnWidths);

}  // namespace report
