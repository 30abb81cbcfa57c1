#include "platform/grid/SortKeyList.h"

#include "platform/grid/GridEX.h"
#include "platform/grid/GridEngine_p.h"

namespace grid {

void SortKeyList::clear() {
  if (m_keys.empty()) return;
  m_keys.clear();
  changed();
}

void SortKeyList::add(int column, int order) {
  m_keys.push_back({column, order < 0 ? Descending : Ascending});
  changed();
}

void SortKeyList::assign(const std::vector<SortKey>& keys) {
  m_keys = keys;
  changed();
}

void SortKeyList::changed() {
  if (m_grid) GridEngine::of(m_grid)->keysChanged(m_groups);
}

}  // namespace grid
