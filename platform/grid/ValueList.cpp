#include "platform/grid/ValueList.h"

#include "platform/grid/CellValues.h"
#include "platform/grid/GridColumn.h"

namespace grid {

void ValueList::clear() {
  m_items.clear();
  if (m_column) m_column->changed();
}

void ValueList::add(const Variant& value, const QString& text) {
  m_items.push_back({value, text});
  if (m_column) m_column->changed();
}

int ValueList::find(const Variant& value) const {
  for (size_t i = 0; i < m_items.size(); ++i)
    if (sameValue(m_items[i].value, value)) return static_cast<int>(i);
  return -1;
}

int ValueList::named(const QString& typed) const {
  if (typed.isEmpty()) return -1;
  const auto first = [this](auto matches) {
    for (size_t i = 0; i < m_items.size(); ++i)
      if (matches(m_items[i])) return static_cast<int>(i);
    return -1;
  };
  int item =
      first([&](const Item& it) { return QString::compare(it.text, typed, Qt::CaseInsensitive) == 0; });
  if (item < 0) item = first([&](const Item& it) { return sameValue(it.value, Variant(typed)); });
  if (item < 0) item = first([&](const Item& it) { return it.text.startsWith(typed, Qt::CaseInsensitive); });
  return item;
}

}  // namespace grid
