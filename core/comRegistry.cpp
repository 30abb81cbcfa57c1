#include "core/comRegistry.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "platform/registry/Registry.h"
#include "platform/runtime/Format.h"

namespace {

constexpr REGSAM KeyWriteRights = 0x3F;
const QString ObjectDefinedError = QStringLiteral("Application-defined or object-defined error");

QString errorSource() {
  const QString exe = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
  return QFileInfo(exe).completeBaseName() + QStringLiteral(".comRegistry");
}

[[noreturn]] void raise(std::int32_t number, const QString& description) {
  throw RegistryError(number, errorSource(), description);
}

// Closes an opened key however the operation ends.
class OpenedKey {
 public:
  OpenedKey() = default;
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  ~OpenedKey() {
    if (m_open) registry::closeKey(m_handle);
  }
  LSTATUS open(HKEY root, const QString& path, REGSAM rights) {
    return track(registry::openKey(root, path, rights, &m_handle));
  }
  LSTATUS create(HKEY root, const QString& path, REGSAM rights) {
    return track(registry::createKey(root, path, rights, &m_handle));
  }
  HKEY handle() const { return m_handle; }

 private:
  LSTATUS track(LSTATUS status) {
    m_open = status == ERROR_SUCCESS;
    return status;
  }
  HKEY m_handle = 0;
  bool m_open = false;
};

QByteArray textData(const QString& text) { return text.toUtf8() + '\0'; }

QString textOf(QByteArray data) {
  if (data.endsWith('\0')) data.chop(1);
  return QString::fromUtf8(data);
}

std::int32_t dwordOf(const QByteArray& data, bool bigEndian) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    const std::uint32_t byte = quint8(data[bigEndian ? i : 3 - i]);
    value = (value << 8) | byte;
  }
  return std::int32_t(value);
}

// A percent sign followed, with at least one character between, by another one.
bool namesEnvironmentVariable(const QString& text) {
  const qsizetype first = text.indexOf('%');
  return first >= 0 && text.indexOf('%', first + 2) >= 0;
}

QString setValueErrorText(HKEY root, const QString& section, const QString& name, const QString& valueText) {
  return QStringLiteral("Failed to set registry value Key: '") + QString::number(root) +
         QStringLiteral("',Section: '") + section + QStringLiteral("',Key: '") + name +
         QStringLiteral("' to value: '") + valueText + '\'';
}

const struct {
  HKEY root;
  const char* prefix;
} ClassRoots[] = {{HKEY_CLASSES_ROOT, ""}, {HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\"}};

}  // namespace

RegistryError::RegistryError(std::int32_t number, const QString& source, const QString& description)
    : std::runtime_error(description.toStdString()),
      m_number(number),
      m_source(source),
      m_description(description) {}

void comRegistry::setMachine(const QString& machine) {
  if (machine.size() < 3)
    m_machine.clear();
  else if (machine.startsWith(QLatin1String("\\\\")))
    m_machine = machine;
  else
    m_machine = QStringLiteral("\\\\") + machine;
}

bool comRegistry::KeyExists() const {
  OpenedKey key;
  return key.open(m_classKey, m_sectionKey, KEY_READ) == ERROR_SUCCESS;
}

bool comRegistry::CreateKey() {
  OpenedKey key;
  if (key.create(m_classKey, m_sectionKey, KeyWriteRights) != ERROR_SUCCESS)
    raise(ErrRegistry, QStringLiteral("Failed to create registry Key: '") + m_sectionKey);
  return true;
}

bool comRegistry::DeleteKey() {
  if (registry::deleteKey(m_classKey, m_sectionKey) != ERROR_SUCCESS)
    raise(ErrRegistry, QStringLiteral("Failed to delete registry Key: '") + QString::number(m_classKey) +
                           QStringLiteral("',Section: '") + m_sectionKey);
  return true;
}

bool comRegistry::DeleteValue() {
  OpenedKey key;
  const QString where = QString::number(m_classKey) + QStringLiteral("',Section: '") + m_sectionKey;
  if (key.open(m_classKey, m_sectionKey, KeyWriteRights) != ERROR_SUCCESS)
    raise(ErrRegistry,
          QStringLiteral("Failed to open key '") + where + QStringLiteral("' for delete access"));
  if (registry::deleteValue(key.handle(), m_valueKey) != ERROR_SUCCESS)
    raise(ErrRegistry, QStringLiteral("Failed to delete registry Key: '") + where +
                           QStringLiteral("',Key: '") + m_valueKey);
  return true;
}

Variant comRegistry::Value() {
  if (!m_machine.isEmpty()) return m_default;
  OpenedKey key;
  if (key.open(m_classKey, m_sectionKey, KEY_QUERY_VALUE) != ERROR_SUCCESS) return m_default;
  std::int32_t type = 0;
  QByteArray data;
  if (registry::queryValue(key.handle(), m_valueKey, &type, &data) != ERROR_SUCCESS) return m_default;
  m_valueType = type;
  switch (type) {
    case REG_SZ:
    case REG_MULTI_SZ: return textOf(data);
    case REG_EXPAND_SZ: return registry::expandEnvironmentStrings(textOf(data));
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
      if (data.size() != 4) return m_default;
      return dwordOf(data, type == REG_DWORD_BIG_ENDIAN);
    default: return data;
  }
}

void comRegistry::setValue(const Variant& value) {
  const QString errorText = setValueErrorText(m_classKey, m_sectionKey, m_valueKey, Format(value));
  // No remote registry can be reached from here.
  if (!m_machine.isEmpty()) raise(ErrRegistry, errorText);
  OpenedKey key;
  if (key.create(m_classKey, m_sectionKey, KeyWriteRights) != ERROR_SUCCESS) raise(ErrRegistry, errorText);
  LSTATUS status = ERROR_INVALID_PARAMETER;
  switch (m_valueType) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      if (!value.isNull()) {
        const QString text = Format(value);
        status = registry::setValue(key.handle(), m_valueKey,
                                    namesEnvironmentVariable(text) ? REG_EXPAND_SZ : REG_SZ, textData(text));
      }
      break;
    case REG_BINARY:
      if (value.type() != VarType::Bytes) raise(ErrRegistry, ObjectDefinedError);
      status = registry::setValue(key.handle(), m_valueKey, REG_BINARY, value.toBytes());
      break;
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN: {
      if (value.type() != VarType::Integer && value.type() != VarType::Long) return;
      const std::uint32_t dword = std::uint32_t(value.toInt());
      QByteArray data(4, '\0');
      for (int i = 0; i < 4; ++i) data[i] = char((dword >> (8 * i)) & 0xFF);
      status = registry::setValue(key.handle(), m_valueKey, REG_DWORD, data);
      break;
    }
    default: break;
  }
  if (status != ERROR_SUCCESS) raise(ErrWriteFailed, errorText);
}

bool comRegistry::EnumerateValues(QStringList& Names, std::int32_t& Count) const {
  Names = enumerate(KEY_QUERY_VALUE, registry::enumValue);
  Count = std::int32_t(Names.size());
  return true;
}

bool comRegistry::EnumerateSections(QStringList& Names, std::int32_t& Count) const {
  Names = enumerate(KEY_ENUMERATE_SUB_KEYS, registry::enumKey);
  Count = std::int32_t(Names.size());
  return true;
}

QStringList comRegistry::enumerate(REGSAM rights, LSTATUS (*nameAt)(HKEY, std::int32_t, QString*)) const {
  QStringList names;
  OpenedKey key;
  if (key.open(m_classKey, m_sectionKey, rights) == ERROR_SUCCESS) {
    QString name;
    for (std::int32_t i = 0; nameAt(key.handle(), i, &name) == ERROR_SUCCESS; ++i) names.append(name);
  }
  return names;
}

void comRegistry::writeClassText(HKEY root, const QString& path, const QString& text) const {
  OpenedKey key;
  if (key.create(root, path, KeyWriteRights) != ERROR_SUCCESS)
    raise(ErrRegistry, QStringLiteral("Failed to create registry Key: '") + path);
  if (registry::setValue(key.handle(), QString(), REG_SZ, textData(text)) != ERROR_SUCCESS)
    raise(ErrWriteFailed, setValueErrorText(root, path, QString(), text));
}

void comRegistry::CreateEXEAssociation(const QString& ExePath, const QString& ClassName,
                                       const QString& ClassDescription, const QString& Association,
                                       const QString& OpenMenuText, bool SupportPrint,
                                       const QString& PrintMenuText, bool SupportNew,
                                       const QString& NewMenuText, bool SupportInstall,
                                       const QString& InstallMenuText, std::int32_t DefaultIconIndex) {
  const QString exe = '"' + ExePath + '"';
  struct Verb {
    bool wanted;
    const char* name;
    QString text;
    QString command;
  };
  const Verb verbs[] = {
      {true, "open", OpenMenuText, exe + QStringLiteral(" \"%1\"")},
      {SupportPrint, "print", PrintMenuText, exe + QStringLiteral(" /p \"%1\"")},
      {SupportInstall, "add", InstallMenuText, exe + QStringLiteral(" /a \"%1\"")},
      {SupportNew, "new", NewMenuText, exe + QStringLiteral(" /n \"%1\"")},
  };
  for (const auto& [root, prefix] : ClassRoots) {
    const QString classPath = QLatin1String(prefix) + ClassName;
    writeClassText(root, QLatin1String(prefix) + Association, ClassName);
    writeClassText(root, classPath, ClassDescription);
    writeClassText(root, classPath + QStringLiteral("\\DefaultIcon"),
                   ExePath + ',' + QString::number(DefaultIconIndex));
    for (const Verb& verb : verbs) {
      if (!verb.wanted) continue;
      const QString verbPath = classPath + QStringLiteral("\\shell\\") + QLatin1String(verb.name);
      writeClassText(root, verbPath, verb.text);
      writeClassText(root, verbPath + QStringLiteral("\\command"), verb.command);
    }
  }
  m_associatedClass = ClassName;
}

void comRegistry::CreateAdditionalEXEAssociations(const QStringList& NameTextCommand) {
  if (NameTextCommand.size() % 3 != 0)
    raise(ErrRegistry, QStringLiteral("Invalid parameter list passed to "
                                      "CreateAdditionalEXEAssociations - expected "
                                      "Name/Text/Command"));
  if (m_associatedClass.isEmpty())
    raise(ErrRegistry,
          QStringLiteral("Error - attempt to create additional associations before class defined."));
  for (const auto& [root, prefix] : ClassRoots) {
    for (qsizetype i = 0; i < NameTextCommand.size(); i += 3) {
      const QString verbPath =
          QLatin1String(prefix) + m_associatedClass + QStringLiteral("\\shell\\") + NameTextCommand[i];
      writeClassText(root, verbPath, NameTextCommand[i + 1]);
      writeClassText(root, verbPath + QStringLiteral("\\command"), NameTextCommand[i + 2]);
    }
  }
}

Variant comRegistry::ValueEx(HKEY classKey, const QString& section, const QString& name, std::int32_t type,
                             const Variant& defaultValue) {
  m_classKey = classKey;
  m_sectionKey = section;
  m_valueKey = name;
  m_valueType = type;
  m_default = defaultValue;
  return Value();
}

void comRegistry::setValueEx(HKEY classKey, const QString& section, const QString& name, std::int32_t type,
                             const Variant& defaultValue, const Variant& value) {
  m_classKey = classKey;
  m_sectionKey = section;
  m_valueKey = name;
  m_valueType = type;
  m_default = defaultValue;
  const bool emptyText = (value.isText() || value.isEmpty()) && value.toString().isEmpty();
  setValue(type == REG_SZ && emptyText ? m_default : value);
}
