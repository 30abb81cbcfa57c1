#pragma once

#include <vector>

#include "platform/grid/GridTypes.h"

namespace grid {

class GridEX;

// The sort keys or the groups of a grid: an ordered list of (column, direction). Every change
// re-sorts (or re-groups) the grid's rows.
class SortKeyList {
 public:
  SortKeyList(GridEX* grid, bool groups) : m_grid(grid), m_groups(groups) {}
  void clear();
  void add(int column, int order = Ascending);
  int count() const { return static_cast<int>(m_keys.size()); }
  SortKey item(int k) const { return m_keys.at(static_cast<size_t>(k - 1)); }  // from 1
  const std::vector<SortKey>& keys() const { return m_keys; }
  void assign(const std::vector<SortKey>& keys);

 private:
  void changed();
  GridEX* m_grid;
  bool m_groups;
  std::vector<SortKey> m_keys;
};

}  // namespace grid
