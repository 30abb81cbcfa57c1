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

const RegistryValue* RegistryKey::value(const QString& name) const {
  for (const RegistryValue& v : m_values)
    if (sameName(v.name, name)) return &v;
  return nullptr;
}

void RegistryKey::setValue(const QString& name, std::int32_t type, const QByteArray& data) {
  for (RegistryValue& v : m_values) {
    if (sameName(v.name, name)) {
      v.type = type;
      v.data = data;
      return;
    }
  }
  m_values.append(RegistryValue{name, type, data});
}

bool RegistryKey::removeValue(const QString& name) {
  for (qsizetype i = 0; i < m_values.size(); ++i) {
    if (sameName(m_values[i].name, name)) {
      m_values.removeAt(i);
      return true;
    }
  }
  return false;
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
