#pragma once

#include <QByteArray>
#include <QString>

#include "platform/registry/RegistryTree_p.h"

namespace registry {

struct ParsedRegFile {
  RegistryKey root;
  // Some line could not be read (or the file is not a registry export); what could be read is in
  // root, the rest counts as missing.
  bool damaged = false;
};

// Reads the text of a registry export file ("Windows Registry Editor Version 5.00") whose keys lie
// under rootName (e.g. "HKEY_CURRENT_USER"). UTF-8 and UTF-16 (with byte-order mark) are accepted.
// Sections of other roots and unreadable lines are skipped.
ParsedRegFile parseRegFile(const QByteArray& bytes, const QString& rootName);

// The UTF-8 export text of every key under root: one section per key, strings quoted, DWORDs as
// dword:, everything else as hex lists (text types as UTF-16, the way export files store them).
QByteArray writeRegFile(const RegistryKey& root, const QString& rootName);

}  // namespace registry
