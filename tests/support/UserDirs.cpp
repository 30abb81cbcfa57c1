#include "tests/support/UserDirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString userDirsFile() {
  return QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + "/user-dirs.dirs";
}
}  // namespace

UserDirs::UserDirs() : m_documents(m_root.path() + "/Documenti utente") {
  QDir().mkpath(m_documents);
  write("\"" + m_documents + "\"");
}

UserDirs::UserDirs(const QString& documentsValue) {
  write("\"" + documentsValue + "\"");
  m_documents = QString(documentsValue).replace("$HOME", QDir::homePath());
}

UserDirs::~UserDirs() { QFile::remove(userDirsFile()); }

void UserDirs::write(const QString& value) {
  QDir().mkpath(QFileInfo(userDirsFile()).path());
  QFile file(userDirsFile());
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    file.write("# written by the test\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=" +
               value.toUtf8() + "\n");
}

QStringList UserDirs::entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                QDir::Name);
}
