// ExcelExport
#include <QDate>

#include "platform/report/Biff8_p.h"
#include "platform/report/CompoundFile_p.h"
#include "platform/report/ExportFilter.h"
#include "platform/report/TextGrid_p.h"

namespace report {

namespace {

constexpr int LastColumnWidth = 1440;

SheetCell cellOf(const PageItem& item) {
  SheetCell cell;
  const Variant& v = item.value;
  if (v.isDate()) {
    const QDateTime when = v.toDateTime();
    cell.kind = SheetCell::Kind::Date;
    cell.number =
        double(QDate(1899, 12, 30).daysTo(when.date())) + when.time().msecsSinceStartOfDay() / 86400000.0;
  } else if (v.isNumber() && v.type() != VarType::Boolean) {
    cell.kind = v.type() == VarType::Currency ? SheetCell::Kind::Money : SheetCell::Kind::Number;
    cell.number = v.toDouble();
  } else {
    cell.text = item.text;
  }
  return cell;
}

}  // namespace

void ExcelExport::finishFile() {
  const TextGrid grid = textGrid(texts());
  std::vector<SheetCell> cells;
  for (size_t r = 0; r < grid.rows.size(); ++r) {
    const PageItem* previous = nullptr;
    for (const PageItem* item : grid.rows[r].items) {
      SheetCell cell = cellOf(*item);
      cell.row = int(r);
      cell.column = grid.columnOf(*item);
      // Two texts in one cell are joined; a value that meets another becomes text.
      if (!cells.empty() && cells.back().row == cell.row && cells.back().column == cell.column) {
        SheetCell& before = cells.back();
        if (before.kind != SheetCell::Kind::Text) before.text = previous->text;
        before.kind = SheetCell::Kind::Text;
        before.text += u' ' + item->text;
        previous = item;
        continue;
      }
      cells.push_back(std::move(cell));
      previous = item;
    }
  }
  std::vector<int> widths;
  for (size_t c = 0; c < grid.columnStarts.size(); ++c)
    widths.push_back(c + 1 < grid.columnStarts.size() ? grid.columnStarts[c + 1] - grid.columnStarts[c]
                                                      : LastColumnWidth);
  put(compoundFile(QStringLiteral("Workbook"), biff8Workbook(QStringLiteral("Foglio1"), cells, widths)));
}

}  // namespace report
