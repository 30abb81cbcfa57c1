// ExcelExport
#include <QDate>
#include <QHash>

#include "platform/report/Biff8_p.h"
#include "platform/report/CompoundFile_p.h"
#include "platform/report/ExportFilter.h"
#include "platform/report/TextGrid_p.h"

namespace report {

namespace {

// The Excel number format that shows a value as the report's format pattern does. The two
// notations share digits, grouping, decimals, literals and date parts; the report's named
// patterns have no Excel name, its minutes are "n" where Excel reads "m" after hours, and its
// fourth section (for Null) would be Excel's section for text.
QString excelFormat(const QString& pattern, const Variant& value) {
  static const QHash<QString, QString> named = {
      {QStringLiteral("general number"), QString()},
      {QStringLiteral("currency"), QStringLiteral("#,##0.00")},
      {QStringLiteral("fixed"), QStringLiteral("0.00")},
      {QStringLiteral("standard"), QStringLiteral("#,##0.00")},
      {QStringLiteral("percent"), QStringLiteral("0.00%")},
      {QStringLiteral("general date"), QStringLiteral("dd/mm/yyyy")},
      {QStringLiteral("short date"), QStringLiteral("dd/mm/yyyy")},
      {QStringLiteral("long date"), QStringLiteral("dddd d mmmm yyyy")},
      {QStringLiteral("long time"), QStringLiteral("hh:mm:ss")},
      {QStringLiteral("short time"), QStringLiteral("hh:mm")}};
  if (pattern.isEmpty()) {
    if (value.isDate()) return QStringLiteral("dd/mm/yyyy");
    return value.type() == VarType::Currency ? QStringLiteral("#,##0.00") : QString();
  }
  if (const auto it = named.constFind(pattern.toLower()); it != named.constEnd()) return *it;
  QString format;
  int sections = 1;
  bool quoted = false;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    QChar c = pattern[i];
    if (c == u'"') {
      quoted = !quoted;
    } else if (!quoted && c == u'\\' && i + 1 < pattern.size()) {
      format += c;
      c = pattern[++i];
    } else if (!quoted && c == u';' && ++sections > 3) {
      break;
    } else if (!quoted && value.isDate() && (c == u'n' || c == u'N')) {
      c = u'm';
    }
    format += c;
  }
  return format;
}

SheetCell cellOf(const PageItem& item) {
  SheetCell cell;
  cell.text = item.text;
  const Variant& v = item.value;
  if (!v.isDate() && (!v.isNumber() || v.type() == VarType::Boolean)) return cell;
  cell.kind = SheetCell::Kind::Number;
  if (v.isDate()) {
    const QDateTime when = v.toDateTime();
    cell.number =
        double(QDate(1899, 12, 30).daysTo(when.date())) + when.time().msecsSinceStartOfDay() / 86400000.0;
  } else {
    cell.number = v.toDouble();
  }
  cell.format = excelFormat(item.format, v);
  return cell;
}

}  // namespace

void ExcelExport::beginFile() {
  TextExport::beginFile();
  m_rows = 0;
}

// The sheet's rows are the pages' rows one after the other: the page that takes them past the
// sheet's last row ends the export at once.
void ExcelExport::writePage(const Page& page) {
  m_rows += int(textRows(page).size());
  if (m_rows > SheetRows) refuseTooLargeSheet();
  TextExport::writePage(page);
}

void ExcelExport::finishFile() {
  const TextGrid grid = textGrid(texts());
  std::vector<SheetCell> cells;
  for (size_t r = 0; r < grid.rows.size(); ++r) {
    for (const PageItem* item : grid.rows[r].items) {
      SheetCell cell = cellOf(*item);
      cell.row = int(r);
      cell.column = grid.columnOf(*item);
      // Texts that fall in one cell are joined, left to right, so that none is lost; a value
      // joined with another becomes text.
      if (!cells.empty() && cells.back().row == cell.row && cells.back().column == cell.column) {
        SheetCell& before = cells.back();
        before.kind = SheetCell::Kind::Text;
        before.text += u' ' + item->text;
        continue;
      }
      cells.push_back(std::move(cell));
    }
  }
  put(compoundFile(QStringLiteral("Workbook"), biff8Workbook(QStringLiteral("Foglio1"), cells)));
}

}  // namespace report
