#pragma once

#include <QString>
#include <vector>

#include "platform/runtime/Variant.h"

namespace grid {

class GridColumn;

// The fixed values a column offers: each item stores a value in the cell and shows a text. The
// cell editor offers the texts and takes a text or a value typed; the cell shows the text of its
// value, or the value itself when no item carries it.
class ValueList {
 public:
  void clear();
  void add(const Variant& value, const QString& text);
  int count() const { return static_cast<int>(m_items.size()); }
  Variant value(int i) const { return m_items.at(static_cast<size_t>(i)).value; }  // 0-based
  QString text(int i) const { return m_items.at(static_cast<size_t>(i)).text; }
  // Index of the item that stores the value, -1 when none does.
  int find(const Variant& value) const;
  // Index of the item a typed text names, in any case: the item whose text it is, else the item
  // whose value it is, else the first item whose text begins with it; -1 when none does.
  int named(const QString& typed) const;

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
