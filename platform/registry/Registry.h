#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "platform/registry/RegistryTypes.h"

// The registry calls of the settings code over one store file per root in the user's configuration
// folder ($XDG_CONFIG_HOME/Corvane/, by default ~/.config/Corvane/): HKEY_CURRENT_USER.reg,
// HKEY_LOCAL_MACHINE.reg and HKEY_CLASSES_ROOT.reg, in the text format of registry export files so
// that a person can read and edit them. A file is parsed again only when it changed since the last
// call; every change rewrites it atomically. Keys nest at most MaxKeyDepth deep. Key and value names compare
// without regard to case. Calls return the status codes of RegistryTypes.h; a damaged file reads as missing
// keys and values.
namespace registry {

// The store file of a root key; empty for roots that have none (HKEY_USERS, handles).
QString storeFilePath(HKEY root);

// Opens ClassKey\subKey (an existing key); *result receives a handle to close with closeKey.
LSTATUS openKey(HKEY key, const QString& subKey, REGSAM access, HKEY* result);
// Opens ClassKey\subKey, creating it and the keys on its path when missing.
LSTATUS createKey(HKEY key, const QString& subKey, REGSAM access, HKEY* result);
LSTATUS closeKey(HKEY key);

// The type and the size in bytes of a value, without its data.
LSTATUS queryValueInfo(HKEY key, const QString& name, std::int32_t* type, std::int32_t* size);
LSTATUS queryValue(HKEY key, const QString& name, std::int32_t* type, QByteArray* data);
// Text types take their UTF-8 bytes with the terminating zero byte.
LSTATUS setValue(HKEY key, const QString& name, std::int32_t type, const QByteArray& data);
LSTATUS deleteValue(HKEY key, const QString& name);
// Deletes a key that has no subkeys.
LSTATUS deleteKey(HKEY key, const QString& subKey);

// The name of the value (subkey) at index; ERROR_NO_MORE_ITEMS past the last one.
LSTATUS enumValue(HKEY key, std::int32_t index, QString* name);
LSTATUS enumKey(HKEY key, std::int32_t index, QString* name);

// Replaces every %NAME% with the value of the environment variable NAME; names that are not set
// stay as they are.
QString expandEnvironmentStrings(const QString& text);

}  // namespace registry
