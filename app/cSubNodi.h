#pragma once

#include <QString>
#include <memory>
#include <ranges>
#include <vector>

#include "app/cSubNodo.h"

// The filters of a view, in insertion order, addressed from 1 or by an optional collection key.
class cSubNodi {
 public:
  // Appends a filter; under the collection key sKey when it is not empty. A key already present is
  // refused with std::invalid_argument and nothing is added.
  cSubNodo& Add(const QString& Chiave, const QString& Descrizione, const QString& SQLString,
                const QString& sKey = QString());

  // The filter at a position from 1, or under a collection key; std::out_of_range when there is none.
  cSubNodo& Item(int index);
  const cSubNodo& Item(int index) const;
  cSubNodo& Item(const QString& sKey);

  int Count() const { return static_cast<int>(m_items.size()); }

  // Removes the filter at a position from 1, or under a collection key; std::out_of_range when there
  // is none.
  void Remove(int index);
  void Remove(const QString& sKey);

  // The filters in order, for range-for.
  auto NewEnum() const {
    return m_items | std::views::transform([](const Entry& e) -> const cSubNodo& { return *e.node; });
  }

 private:
  struct Entry {
    QString key;
    std::unique_ptr<cSubNodo> node;
  };
  int positionOf(const QString& sKey) const;
  int checkedPosition(int index) const;
  int checkedPosition(const QString& sKey) const;

  std::vector<Entry> m_items;
};
