#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <cstdint>
#include <vector>

#include "platform/registry/RegistryTypes.h"

namespace registry {

// One named value: its registry type and its raw data. Text types (REG_SZ, REG_EXPAND_SZ,
// REG_MULTI_SZ) hold UTF-8 bytes with their terminating zero byte.
struct RegistryValue {
  QString name;
  std::int32_t type = 0;
  QByteArray data;
};

// A key with its values (in the order they were first written) and its subkeys (sorted by name
// without regard to case). Names compare without regard to case and keep the case they were
// created with; the values of a key with many are found by name in constant time.
class RegistryKey {
 public:
  explicit RegistryKey(const QString& name = QString()) : m_name(name) {}

  const QString& name() const { return m_name; }
  const QList<RegistryValue>& values() const { return m_values; }
  const std::vector<RegistryKey>& subkeys() const { return m_subkeys; }

  RegistryKey* child(const QString& name);
  const RegistryKey* child(const QString& name) const;
  RegistryKey& ensureChild(const QString& name);
  bool removeChild(const QString& name);

  const RegistryValue* value(const QString& name) const;
  void setValue(const QString& name, std::int32_t type, const QByteArray& data);
  bool removeValue(const QString& name);

  // Follows a path of key names from this key; nullptr when a key on the way is missing.
  RegistryKey* find(const QStringList& path);
  const RegistryKey* find(const QStringList& path) const;
  RegistryKey& ensurePath(const QStringList& path);

 private:
  qsizetype position(const QString& name) const;  // -1 when there is no such value
  void reindexValues();

  QString m_name;
  QList<RegistryValue> m_values;
  QHash<QString, qsizetype> m_valueIndex;  // case-folded name -> position in m_values, or empty
  std::vector<RegistryKey> m_subkeys;
};

bool sameName(const QString& a, const QString& b);

}  // namespace registry
