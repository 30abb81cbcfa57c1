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
  QString text;       // what the cell shows: the text of a Text cell, a Number's value as formatted
  double number = 0;  // Number; a date as days since 30 December 1899
  QString format;     // Number: an Excel number format ("#,##0.00", "dd/mm/yyyy"); empty for General
};

// The rows of a worksheet in the format.
constexpr int SheetRows = 65536;

// Throws the ReportError of a report that does not fit one worksheet.
[[noreturn]] void refuseTooLargeSheet();

// The Workbook stream of an Excel 97-2003 file (BIFF8) with one worksheet named `sheetName`, each
// column as wide as the widest text it shows. Cells beyond the format's 65 536 rows or 256
// columns throw ReportError.
QByteArray biff8Workbook(const QString& sheetName, const std::vector<SheetCell>& cells);

}  // namespace report
