#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <stdexcept>

#include "platform/registry/RegistryTypes.h"
#include "platform/runtime/Variant.h"

// An error of the settings class: the number, the source (the program's file name without extension
// followed by ".comRegistry") and an English description.
class RegistryError : public std::runtime_error {
 public:
  RegistryError(std::int32_t number, const QString& source, const QString& description);
  std::int32_t number() const { return m_number; }
  const QString& source() const { return m_source; }
  const QString& description() const { return m_description; }

 private:
  std::int32_t m_number;
  QString m_source;
  QString m_description;
};

// Names one settings value by its root (ClassKey), key path (SectionKey) and name (ValueKey), then
// reads or writes it through Value. Reading never throws: a value that cannot be read yields
// Default. Writing and the key operations throw RegistryError.
//
//   comRegistry reg;
//   reg.setClassKey(HKEY_CURRENT_USER);
//   reg.setSectionKey(RegKeySettings);
//   reg.setValueType(REG_DWORD);
//   reg.setValueKey("regLoadViewLayout");
//   reg.setDefault(1);
//   Variant v = reg.Value();
class comRegistry {
 public:
  static constexpr std::int32_t ErrRegistry = 26001;
  static constexpr std::int32_t ErrWriteFailed = static_cast<std::int32_t>(0x800469A9u);

  // A remote computer's name. Stored as "" for texts shorter than 3 characters, unchanged when it
  // begins with two backslashes, with two backslashes in front otherwise. No remote registry can
  // be reached: while it is set, Value yields Default and setValue throws.
  QString Machine() const { return m_machine; }
  void setMachine(const QString& machine);

  bool KeyExists() const;
  bool CreateKey();
  bool DeleteKey();
  bool DeleteValue();

  // Reads the value by the type found in the store and sets ValueType to it; Default when the key
  // or the value is missing or unreadable.
  Variant Value();
  // Writes by ValueType: 1 and 2 as text (REG_EXPAND_SZ when the text holds %NAME%), 3 a byte
  // array, 4 and 5 a 16/32-bit integer as REG_DWORD (values of other types are silently skipped).
  void setValue(const Variant& value);

  // Names of the values (subkeys) of ClassKey\SectionKey in index order; Count is their number.
  // Always true; a key that cannot be opened gives no names.
  bool EnumerateValues(QStringList& Names, std::int32_t& Count) const;
  bool EnumerateSections(QStringList& Names, std::int32_t& Count) const;

  // Registers a file type (Association is the extension, e.g. ".gcm") for an executable under
  // HKEY_CLASSES_ROOT and under "SOFTWARE\Classes\" of HKEY_LOCAL_MACHINE.
  void CreateEXEAssociation(const QString& ExePath, const QString& ClassName, const QString& ClassDescription,
                            const QString& Association, const QString& OpenMenuText = QStringLiteral("&Open"),
                            bool SupportPrint = false,
                            const QString& PrintMenuText = QStringLiteral("&Print"), bool SupportNew = false,
                            const QString& NewMenuText = QStringLiteral("&New"), bool SupportInstall = false,
                            const QString& InstallMenuText = QStringLiteral("&Install "),
                            std::int32_t DefaultIconIndex = 0);
  // Further "\shell\" verbs for the class of the last CreateEXEAssociation: a flat list of
  // name, menu text, command triples.
  void CreateAdditionalEXEAssociations(const QStringList& NameTextCommand);

  std::int32_t ValueType() const { return m_valueType; }
  void setValueType(std::int32_t type) { m_valueType = type; }
  HKEY ClassKey() const { return m_classKey; }
  void setClassKey(HKEY key) { m_classKey = key; }
  QString SectionKey() const { return m_sectionKey; }
  void setSectionKey(const QString& section) { m_sectionKey = section; }
  QString ValueKey() const { return m_valueKey; }
  void setValueKey(const QString& name) { m_valueKey = name; }
  Variant Default() const { return m_default; }
  void setDefault(const Variant& value) { m_default = value; }

  // Sets ClassKey, SectionKey, ValueKey, ValueType and Default, then reads Value.
  Variant ValueEx(HKEY classKey, const QString& section, const QString& name, std::int32_t type,
                  const Variant& defaultValue);
  // Sets the same five properties and writes the value; an empty text of type REG_SZ writes
  // Default instead.
  void setValueEx(HKEY classKey, const QString& section, const QString& name, std::int32_t type,
                  const Variant& defaultValue, const Variant& value);

 private:
  QStringList enumerate(REGSAM rights, LSTATUS (*nameAt)(HKEY, std::int32_t, QString*)) const;
  void writeClassText(HKEY root, const QString& path, const QString& text) const;

  HKEY m_classKey = 0;
  QString m_sectionKey;
  QString m_valueKey;
  Variant m_default;
  std::int32_t m_valueType = 0;
  QString m_machine;
  QString m_associatedClass;
};
