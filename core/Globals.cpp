#include "core/Globals.h"

#include "platform/shell/Desktop.h"

namespace {
QString& programFolderOverride() {
  static QString folder;
  return folder;
}
}  // namespace

QString ProgramFolder() {
  const QString& folder = programFolderOverride();
  return folder.isEmpty() ? shell::programFolder() : folder;
}

void setProgramFolder(const QString& folder) { programFolderOverride() = folder; }
