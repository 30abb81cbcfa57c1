#include "platform/report/TextGrid_p.h"

#include <QStringList>
#include <algorithm>

namespace report {

namespace {

constexpr int RowTolerance = 100;    // texts whose tops differ by less share a row
constexpr int ColumnTolerance = 60;  // anchors closer than this to a column's first share it

}  // namespace

int anchorOf(const PageItem& item) {
  if (item.style.alignment & Qt::AlignRight) return item.rect.left() + item.rect.width();
  if (item.style.alignment & Qt::AlignHCenter) return item.rect.left() + item.rect.width() / 2;
  return item.rect.left();
}

std::vector<TextRow> textRows(const Page& page, int pageTop) {
  std::vector<const PageItem*> texts;
  for (const PageItem& item : page.items)
    if (item.kind == PageItem::Kind::Text && !item.text.isEmpty()) texts.push_back(&item);
  std::stable_sort(texts.begin(), texts.end(),
                   [](const PageItem* a, const PageItem* b) { return a->rect.top() < b->rect.top(); });
  std::vector<TextRow> rows;
  for (const PageItem* item : texts) {
    if (rows.empty() || item->rect.top() + pageTop >= rows.back().top + RowTolerance)
      rows.push_back(TextRow{item->rect.top() + pageTop, {}});
    rows.back().items.push_back(item);
  }
  for (TextRow& row : rows)
    std::stable_sort(row.items.begin(), row.items.end(),
                     [](const PageItem* a, const PageItem* b) { return anchorOf(*a) < anchorOf(*b); });
  return rows;
}

int TextGrid::columnOf(const PageItem& item) const {
  const auto it = std::upper_bound(columnStarts.begin(), columnStarts.end(), anchorOf(item));
  return std::max(0, int(it - columnStarts.begin()) - 1);
}

TextGrid textGrid(const Pages& pages) {
  TextGrid grid;
  int top = 0;
  std::vector<int> anchors;
  for (const Page& page : pages) {
    for (TextRow& row : textRows(page, top)) {
      for (const PageItem* item : row.items) anchors.push_back(anchorOf(*item));
      grid.rows.push_back(std::move(row));
    }
    top += page.size.height();
  }
  std::sort(anchors.begin(), anchors.end());
  // A column reaches no further than the tolerance from its first anchor, so that anchors a little
  // apart on many rows do not chain the texts of one row into a single column.
  for (const int anchor : anchors)
    if (grid.columnStarts.empty() || anchor - grid.columnStarts.back() >= ColumnTolerance)
      grid.columnStarts.push_back(anchor);
  return grid;
}

QString pageText(const Page& page) {
  QStringList lines;
  for (const TextRow& row : textRows(page)) {
    QStringList texts;
    for (const PageItem* item : row.items) texts << item->text;
    lines << texts.join(u'\t');
  }
  return lines.join(u'\n');
}

}  // namespace report
