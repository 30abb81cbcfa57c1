#include "platform/registry/RegistryTree_p.h"

#include <QStringList>
#include <algorithm>

namespace registry {

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

namespace {
bool nameLess(const RegistryKey& key, const QString& name) {
  return key.name().compare(name, Qt::CaseInsensitive) < 0;
}
}  // namespace

RegistryKey* RegistryKey::child(const QString& name) {
  auto it = std::lower_bound(m_subkeys.begin(), m_subkeys.end(), name, nameLess);
  return it != m_subkeys.end() && sameName(it->name(), name) ? &*it : nullptr;
}

const RegistryKey* RegistryKey::child(const QString& name) const {
  return const_cast<RegistryKey*>(this)->child(name);
}

RegistryKey& RegistryKey::ensureChild(const QString& name) {
  // Keys read from a file arrive in name order: each new one goes last.
  if (m_subkeys.empty() || nameLess(m_subkeys.back(), name)) return m_subkeys.emplace_back(name);
  auto it = std::lower_bound(m_subkeys.begin(), m_subkeys.end(), name, nameLess);
  if (it != m_subkeys.end() && sameName(it->name(), name)) return *it;
  return *m_subkeys.insert(it, RegistryKey(name));
}

bool RegistryKey::removeChild(const QString& name) {
  auto it = std::lower_bound(m_subkeys.begin(), m_subkeys.end(), name, nameLess);
  if (it == m_subkeys.end() || !sameName(it->name(), name)) return false;
  m_subkeys.erase(it);
  return true;
}

namespace {
// Keys with fewer values find them by a plain search: most keys hold one or two values, and an
// index for each would cost far more memory than the values themselves.
constexpr qsizetype IndexedFrom = 16;
}  // namespace

qsizetype RegistryKey::position(const QString& name) const {
  if (m_valueIndex.isEmpty()) {
    for (qsizetype i = 0; i < m_values.size(); ++i)
      if (sameName(m_values[i].name, name)) return i;
    return -1;
  }
  const auto it = m_valueIndex.constFind(name.toCaseFolded());
  return it == m_valueIndex.constEnd() ? -1 : *it;
}

const RegistryValue* RegistryKey::value(const QString& name) const {
  const qsizetype at = position(name);
  return at < 0 ? nullptr : &m_values[at];
}

void RegistryKey::setValue(const QString& name, std::int32_t type, const QByteArray& data) {
  if (const qsizetype at = position(name); at >= 0) {
    m_values[at].type = type;
    m_values[at].data = data;
    return;
  }
  m_values.append(RegistryValue{name, type, data});
  if (!m_valueIndex.isEmpty())
    m_valueIndex.insert(name.toCaseFolded(), m_values.size() - 1);
  else if (m_values.size() >= IndexedFrom)
    reindexValues();
}

bool RegistryKey::removeValue(const QString& name) {
  const qsizetype at = position(name);
  if (at < 0) return false;
  m_values.removeAt(at);
  reindexValues();
  return true;
}

void RegistryKey::reindexValues() {
  m_valueIndex.clear();
  if (m_values.size() < IndexedFrom) return;
  for (qsizetype i = 0; i < m_values.size(); ++i) m_valueIndex.insert(m_values[i].name.toCaseFolded(), i);
}

RegistryKey* RegistryKey::find(const QStringList& path) {
  RegistryKey* key = this;
  for (const QString& part : path) {
    key = key->child(part);
    if (!key) return nullptr;
  }
  return key;
}

const RegistryKey* RegistryKey::find(const QStringList& path) const {
  return const_cast<RegistryKey*>(this)->find(path);
}

RegistryKey& RegistryKey::ensurePath(const QStringList& path) {
  RegistryKey* key = this;
  for (const QString& part : path) key = &key->ensureChild(part);
  return *key;
}

}  // namespace registry
