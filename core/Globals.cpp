#include "core/Globals.h"

#include <QCoreApplication>
#include <QVersionNumber>

#include "platform/shell/Desktop.h"

namespace {
QString& programFolderOverride() {
  static QString folder;
  return folder;
}
}  // namespace

QString ProgramVersion() {
  const QVersionNumber version = QVersionNumber::fromString(QCoreApplication::applicationVersion());
  return QStringLiteral("%1.%2.%3")
      .arg(version.majorVersion())
      .arg(version.minorVersion())
      .arg(version.microVersion());
}

QString ProgramFolder() {
  const QString& folder = programFolderOverride();
  return folder.isEmpty() ? shell::programFolder() : folder;
}

void setProgramFolder(const QString& folder) { programFolderOverride() = folder; }
