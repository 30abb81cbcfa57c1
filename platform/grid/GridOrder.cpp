// GridEngine: sorting, grouping and finding.
#include <QHash>
#include <QHeaderView>
#include <QTimer>
#include <algorithm>
#include <numeric>

#include "platform/grid/CellValues.h"
#include "platform/grid/GridEX.h"
#include "platform/grid/GridEngine_p.h"
#include "platform/grid/GridModel_p.h"
#include "platform/grid/GridNavigator_p.h"
#include "platform/grid/GridView_p.h"
#include "platform/grid/GroupByBox_p.h"

// Sorting, grouping and finding: the records are never moved, only their order (a permutation)
// and the display rows built from it.
namespace grid {
namespace {

// A column's values prepared once for sorting: each value becomes its kind and a number, texts
// the rank of their case-folded text among the column's distinct texts. A sort then compares
// numbers only, however long or repeated the texts are.
struct SortValue {
  int kind = 0;  // 0 empty, 1 number, 2 date, 3 text, 4 other
  double number = 0;
};

struct SortColumn {
  int order = Ascending;
  std::vector<SortValue> values;
};

int compareSortValues(const SortValue& a, const SortValue& b) {
  if (a.kind != b.kind) return a.kind < b.kind ? -1 : 1;
  return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
}

int sortKind(const Variant& v) {
  switch (v.type()) {
    case VarType::Empty:
    case VarType::Null: return 0;
    case VarType::Date: return 2;
    case VarType::String: return 3;
    case VarType::Bytes: return 4;
    default: return 1;
  }
}

// The text case-folded; plain ASCII, the usual case, without going through the Unicode tables.
QString foldedText(const QString& text) {
  bool upper = false;
  for (const QChar ch : text) {
    if (ch.unicode() >= 0x80) return text.toCaseFolded();
    if (ch >= u'A' && ch <= u'Z') upper = true;
  }
  if (!upper) return text;
  QString folded = text;
  for (QChar& ch : folded)
    if (ch >= u'A' && ch <= u'Z') ch = QChar(ch.unicode() + (u'a' - u'A'));
  return folded;
}

char16_t foldedAscii(char16_t ch) { return ch >= u'A' && ch <= u'Z' ? char16_t(ch + (u'a' - u'A')) : ch; }

// The order of two texts as foldedText() gives them, without making the folded copies for plain
// ASCII texts.
int compareFolded(const QString& a, const QString& b) {
  const qsizetype common = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < common; ++i) {
    const char16_t x = a[i].unicode(), y = b[i].unicode();
    if (x >= 0x80 || y >= 0x80) {
      const QString fa = foldedText(a), fb = foldedText(b);
      return fa < fb ? -1 : (fb < fa ? 1 : 0);
    }
    if (foldedAscii(x) != foldedAscii(y)) return foldedAscii(x) < foldedAscii(y) ? -1 : 1;
  }
  // The longer text may hold a non-ASCII character past the common part: it still sorts after.
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Two values in the order the sort keys give them (see SortColumnBuilder).
int compareForSort(const Variant& a, const Variant& b) {
  const int kind = sortKind(a);
  if (kind != sortKind(b)) return kind < sortKind(b) ? -1 : 1;
  switch (kind) {
    case 1: {
      const double x = a.toDouble(), y = b.toDouble();
      return x < y ? -1 : (y < x ? 1 : 0);
    }
    case 2: {
      const qint64 x = a.toDateTime().toMSecsSinceEpoch(), y = b.toDateTime().toMSecsSinceEpoch();
      return x < y ? -1 : (y < x ? 1 : 0);
    }
    case 3: return compareFolded(a.toString(), b.toString());
    default: return 0;
  }
}

class SortColumnBuilder {
 public:
  explicit SortColumnBuilder(int rows) { m_values.reserve(static_cast<size_t>(rows)); }

  void add(const Variant& v) {
    switch (sortKind(v)) {
      case 0: m_values.push_back({}); break;
      case 2: m_values.push_back({2, static_cast<double>(v.toDateTime().toMSecsSinceEpoch())}); break;
      case 3: {
        const QString text = v.toString();
        if (m_ids.isEmpty()) m_ids.reserve(static_cast<qsizetype>(m_values.capacity()));
        int& id = m_ids[text];  // one past the text's index; 0 for a text not seen yet
        if (id == 0) {
          m_texts.push_back(foldedText(text));
          id = static_cast<int>(m_texts.size());
        }
        m_values.push_back({3, static_cast<double>(id - 1)});
        break;
      }
      case 4: m_values.push_back({4, 0}); break;
      default: m_values.push_back({1, v.toDouble()});
    }
  }

  std::vector<SortValue> take() {
    std::vector<int> byText(m_texts.size());
    std::iota(byText.begin(), byText.end(), 0);
    std::sort(byText.begin(), byText.end(), [this](int a, int b) {
      return m_texts[static_cast<size_t>(a)] < m_texts[static_cast<size_t>(b)];
    });
    // Texts that differ only in case share a rank.
    std::vector<double> rank(m_texts.size());
    for (size_t r = 0; r < byText.size(); ++r) {
      const bool same =
          r > 0 && m_texts[static_cast<size_t>(byText[r])] == m_texts[static_cast<size_t>(byText[r - 1])];
      rank[static_cast<size_t>(byText[r])] =
          same ? rank[static_cast<size_t>(byText[r - 1])] : static_cast<double>(r);
    }
    for (SortValue& v : m_values)
      if (v.kind == 3) v.number = rank[static_cast<size_t>(v.number)];
    return std::move(m_values);
  }

 private:
  std::vector<SortValue> m_values;
  QHash<QString, int> m_ids;
  std::vector<QString> m_texts;
};

bool usesShownText(const GridColumn* c) { return c->hasValueList() || c->dropDown() != nullptr; }

}  // namespace

void GridEngine::keysChanged(bool groups) {
  if (groups) groupBox->refresh();
  orderDirty = true;
  scheduleOrder();
}

void GridEngine::scheduleOrder() {
  QTimer::singleShot(0, q, [this] {
    if (orderDirty) rebuildOrder(true);
  });
}

void GridEngine::ensureOrder() const {
  if (orderDirty) const_cast<GridEngine*>(this)->rebuildOrder(true);
}

void GridEngine::rebuildOrder(bool resort) {
  orderDirty = false;
  const int n = recordCount();
  if (resort || static_cast<int>(order.size()) != n) {
    order.resize(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::vector<SortKey> keys;
    for (const std::vector<SortKey>* list : {&groupKeys->keys(), &sortKeys->keys()})
      for (const SortKey& k : *list)
        if (column(k.column)) keys.push_back(k);
    if (!keys.empty() && !inKeyOrder(keys)) sortOrder(keys);
  }
  buildGroups();
  buildDisplay();
  resetModel();
  if (const std::optional<int> row = std::exchange(rowAfterOrder, std::nullopt); row && !display.empty())
    setCurrentDisplayRow(std::clamp(*row, 1, static_cast<int>(display.size())));
}

Variant GridEngine::sortValue(int record, const GridColumn* c) const {
  const Variant v = cellValue(record, c);
  return usesShownText(c) ? Variant(shownText(v, c)) : v;
}

// Most lists are read in the order they show: checking that costs far less than sorting them.
bool GridEngine::inKeyOrder(const std::vector<SortKey>& keys) const {
  const int n = recordCount();
  std::vector<Variant> previous;
  for (const SortKey& k : keys) previous.push_back(n > 0 ? sortValue(0, column(k.column)) : Variant());
  for (int r = 1; r < n; ++r) {
    bool decided = false;
    for (size_t i = 0; i < keys.size(); ++i) {
      Variant current = sortValue(r, column(keys[i].column));
      if (!decided) {
        const int c = compareForSort(previous[i], current);
        if (c != 0) {
          if (keys[i].order == Descending ? c < 0 : c > 0) return false;
          decided = true;
        }
      }
      previous[i] = std::move(current);
    }
  }
  return true;
}

void GridEngine::sortOrder(const std::vector<SortKey>& keys) {
  const int n = recordCount();
  std::vector<SortColumn> columnsToSort;
  for (const SortKey& k : keys) {
    const GridColumn* c = column(k.column);
    SortColumnBuilder builder(n);
    for (int r = 0; r < n; ++r) builder.add(sortValue(r, c));
    columnsToSort.push_back({k.order, builder.take()});
  }
  // Equal rows keep the query's order: the record number breaks ties.
  std::sort(order.begin(), order.end(), [&columnsToSort](int a, int b) {
    for (const SortColumn& k : columnsToSort) {
      const int c = compareSortValues(k.values[static_cast<size_t>(a)], k.values[static_cast<size_t>(b)]);
      if (c != 0) return k.order == Descending ? c > 0 : c < 0;
    }
    return a < b;
  });
}

// Group nodes in the sorted order, each followed by its sub-groups and records.
void GridEngine::buildGroups() {
  groupNodes.clear();
  groupEntries.clear();
  std::vector<const GridColumn*> groupColumns;
  std::vector<const std::vector<QString>*> groupTexts;  // made once; none for drop-down columns
  for (const SortKey& k : groupKeys->keys())
    if (const GridColumn* c = column(k.column)) {
      groupColumns.push_back(c);
      groupTexts.push_back(c->dropDown() ? nullptr : &storedTexts(c));
    }
  if (groupColumns.empty()) return;
  auto textOf = [&](size_t level, int record) {
    if (groupTexts[level] && record != pendingRecord)
      return (*groupTexts[level])[static_cast<size_t>(record)];
    return groupText(cellValue(record, groupColumns[level]), groupColumns[level]);
  };
  struct Open {
    int node;
    QString text;
  };
  std::vector<Open> open;
  groupEntries.reserve(order.size() + order.size() / 8);
  for (const int record : order) {
    size_t level = 0;
    for (; level < groupColumns.size() && level < open.size(); ++level) {
      const QString text = textOf(level, record);
      if (open[level].text != text && QString::compare(open[level].text, text, Qt::CaseInsensitive) != 0)
        break;
    }
    open.resize(level);
    for (; level < groupColumns.size(); ++level) {
      const QString text = textOf(level, record);
      GroupNode node;
      node.level = static_cast<int>(level);
      node.value = cellValue(record, groupColumns[level]);
      node.path =
          (open.empty() ? QString() : groupNodes[static_cast<size_t>(open.back().node)].path + QChar(0x1f)) +
          text;
      groupNodes.push_back(node);
      const int id = static_cast<int>(groupNodes.size() - 1);
      open.push_back({id, text});
      groupEntries.push_back(-(id + 1));
    }
    for (const Open& o : open) ++groupNodes[static_cast<size_t>(o.node)].count;
    groupEntries.push_back(record);
  }
}

// The display rows: the records in order, or the groups with what their expanded state shows.
void GridEngine::buildDisplay() {
  if (groupNodes.empty()) {
    display = order;
    return;
  }
  display.clear();
  display.reserve(groupEntries.size());
  int hiddenBelowLevel = -1;  // records and deeper groups are hidden while set
  for (const int entry : groupEntries) {
    if (entry < 0) {
      const GroupNode& g = groupNodes[static_cast<size_t>(-entry - 1)];
      if (hiddenBelowLevel >= 0 && g.level > hiddenBelowLevel) continue;
      hiddenBelowLevel = groupCollapsed(g) ? g.level : -1;
      display.push_back(entry);
    } else if (hiddenBelowLevel < 0) {
      display.push_back(entry);
    }
  }
}

bool GridEngine::groupCollapsed(const GroupNode& node) const {
  return collapsedByDefault != toggledGroups.contains(node.path);
}

void GridEngine::setGroupCollapsed(int node, bool collapsed) {
  const GroupNode& g = groupNodes[static_cast<size_t>(node)];
  if (groupCollapsed(g) == collapsed) return;
  if (toggledGroups.contains(g.path))
    toggledGroups.remove(g.path);
  else
    toggledGroups.insert(g.path);
  const QString path = g.path;
  buildDisplay();
  resetModel();
  for (size_t i = 0; i < display.size(); ++i)
    if (display[i] < 0 && groupNodes[static_cast<size_t>(-display[i] - 1)].path == path) {
      setCurrentDisplayRow(static_cast<int>(i) + 1);
      break;
    }
}

bool GridEngine::isGroupDisplay(int displayIndex) const {
  return displayIndex >= 0 && displayIndex < static_cast<int>(display.size()) &&
         display[static_cast<size_t>(displayIndex)] < 0;
}

int GridEngine::recordAt(int displayIndex) const {
  if (displayIndex < 0 || displayIndex >= static_cast<int>(display.size())) return -1;
  const int v = display[static_cast<size_t>(displayIndex)];
  return v >= 0 ? v : -1;
}

int GridEngine::displayOf(int record) const {
  if (record < 0) return -1;
  const auto it = std::find(display.begin(), display.end(), record);
  return it == display.end() ? -1 : static_cast<int>(it - display.begin());
}

QString GridEngine::groupCaption(const GroupNode& node) const {
  const SortKey& key = groupKeys->keys()[static_cast<size_t>(node.level)];
  const GridColumn* c = column(key.column);
  const QString text = c ? groupText(node.value, c) : QString();
  return QStringLiteral("%1: %2 (%3)").arg(c ? c->caption() : QString(), text).arg(node.count);
}

void GridEngine::resetModel() {
  resetting = true;
  model->reset();
  int target = -1;
  if (trackedRecord == NewRecord && newRowShown())
    target = static_cast<int>(display.size());
  else if (trackedRecord >= 0)
    target = displayOf(trackedRecord);
  if (target >= 0)
    view->setCurrentIndex(model->index(target, std::max(0, trackedColumn)));
  else
    trackedRecord = NoPending;
  resetting = false;
  applyColumnsToView();
  showSortIndicator();
  view->updateRowHeights();
  updateNavigator();
}

void GridEngine::showSortIndicator() {
  QHeaderView* header = view->horizontalHeader();
  const std::vector<SortKey>& keys = sortKeys->keys();
  const bool sorted = !keys.empty() && column(keys.front().column);
  header->setSortIndicatorShown(sorted);
  if (sorted)
    header->setSortIndicator(keys.front().column - 1,
                             keys.front().order == Descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

// Makes the groups that hold entry `at` of groupEntries expanded.
void GridEngine::expandGroupsAbove(size_t at) {
  int level = static_cast<int>(groupKeys->keys().size()) - 1;
  for (size_t j = at; j-- > 0 && level >= 0;) {
    if (groupEntries[j] >= 0) continue;
    const GroupNode& g = groupNodes[static_cast<size_t>(-groupEntries[j] - 1)];
    if (g.level != level) continue;
    if (groupCollapsed(g)) {
      if (toggledGroups.contains(g.path))
        toggledGroups.remove(g.path);
      else
        toggledGroups.insert(g.path);
    }
    --level;
  }
  buildDisplay();
  resetModel();
}

bool GridEngine::find(int col, int condition, const Variant& wanted, int startRow, int direction) {
  ensureOrder();
  const GridColumn* c = column(col);
  const int rows = static_cast<int>(display.size());
  if (!c || rows == 0) return false;
  const int step = direction < 0 ? -1 : 1;
  // Records under collapsed groups are searched too: the search runs over every group entry.
  const std::vector<int>& entries = groupNodes.empty() ? display : groupEntries;
  const int count = static_cast<int>(entries.size());
  int start = std::clamp(startRow, 1, rows) - 1;
  if (!groupNodes.empty()) {
    // Past the last row: from the last entry, under a collapsed last group included.
    if (startRow > rows)
      start = count - 1;
    else
      start = static_cast<int>(
          std::find(entries.begin(), entries.end(), display[static_cast<size_t>(start)]) - entries.begin());
  }
  const QString text = wanted.isText() ? wanted.toString() : formatCell(wanted, QString());
  // Texts of a drop-down column come from the drop-down's own table; the others are made once.
  const std::vector<QString>* texts = c->dropDown() ? nullptr : &storedTexts(c);
  for (int i = start; i >= 0 && i < count; i += step) {
    const int record = entries[static_cast<size_t>(i)];
    if (record < 0) continue;
    const bool cached = texts && record != pendingRecord;
    bool match = false;
    if (condition == FindBeginsWith) {
      const QString cell =
          cached ? (*texts)[static_cast<size_t>(record)] : groupText(cellValue(record, c), c);
      match = cell.startsWith(text, Qt::CaseInsensitive);
    } else {
      const Variant v = cellValue(record, c);
      const QString cell = cached ? (*texts)[static_cast<size_t>(record)] : groupText(v, c);
      match =
          sameValue(v, wanted) || (wanted.isText() && QString::compare(cell, text, Qt::CaseInsensitive) == 0);
    }
    if (match) {
      if (displayOf(record) < 0) expandGroupsAbove(static_cast<size_t>(i));
      setCurrentDisplayRow(displayOf(record) + 1);
      return true;
    }
  }
  return false;
}

}  // namespace grid
