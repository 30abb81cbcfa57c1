#pragma once

#include <QString>
#include <vector>

#include "platform/runtime/Variant.h"

namespace grid {

class GridColumn;

// The fixed values a column offers: each item stores a value in the cell and shows a text. The
// cell editor offers the texts; the cell shows the text of its value, or the value itself when no
// item carries it.
class ValueList {
 public:
  void clear();
  void add(const Variant& value, const QString& text);
  int count() const { return static_cast<int>(m_items.size()); }
  Variant value(int i) const { return m_items.at(static_cast<size_t>(i)).value; }  // 0-based
  QString text(int i) const { return m_items.at(static_cast<size_t>(i)).text; }
  // Index of the item that stores the value, -1 when none does.
  int find(const Variant& value) const;

 private:
  friend class GridColumn;
  struct Item {
    Variant value;
    QString text;
  };
  std::vector<Item> m_items;
  GridColumn* m_column = nullptr;
};

}  // namespace grid
