#include "app/cSubNodi.h"

#include <stdexcept>

cSubNodo& cSubNodi::Add(const QString& Chiave, const QString& Descrizione, const QString& SQLString,
                        const QString& sKey) {
  if (!sKey.isEmpty() && positionOf(sKey) > 0)
    throw std::invalid_argument("Chiave già presente nella raccolta: " + sKey.toStdString());
  auto node = std::make_unique<cSubNodo>();
  node->setChiave(Chiave);
  node->setDescrizione(Descrizione);
  node->setSQLString(SQLString);
  m_items.push_back({sKey, std::move(node)});
  return *m_items.back().node;
}

int cSubNodi::positionOf(const QString& sKey) const {
  if (sKey.isEmpty()) return 0;
  for (std::size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i].key.compare(sKey, Qt::CaseInsensitive) == 0) return static_cast<int>(i) + 1;
  return 0;
}

int cSubNodi::checkedPosition(int index) const {
  if (index < 1 || index > Count()) throw std::out_of_range("Posizione fuori dalla raccolta");
  return index;
}

cSubNodo& cSubNodi::Item(int index) { return *m_items[checkedPosition(index) - 1].node; }

const cSubNodo& cSubNodi::Item(int index) const { return *m_items[checkedPosition(index) - 1].node; }

int cSubNodi::checkedPosition(const QString& sKey) const {
  const int position = positionOf(sKey);
  if (position == 0) throw std::out_of_range("Chiave assente dalla raccolta: " + sKey.toStdString());
  return position;
}

cSubNodo& cSubNodi::Item(const QString& sKey) { return *m_items[checkedPosition(sKey) - 1].node; }

void cSubNodi::Remove(int index) { m_items.erase(m_items.begin() + (checkedPosition(index) - 1)); }

void cSubNodi::Remove(const QString& sKey) { m_items.erase(m_items.begin() + (checkedPosition(sKey) - 1)); }
