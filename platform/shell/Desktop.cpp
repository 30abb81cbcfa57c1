#include "platform/shell/Desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace shell {

namespace {

bool isDirectory(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

// A link carries a scheme of at least two letters ("mailto:", "https:"); anything else is a path.
QUrl urlFor(const QString& linkOrFile) {
  const QUrl url(linkOrFile);
  if (url.isValid() && url.scheme().size() > 1) return url;
  return QUrl::fromLocalFile(QFileInfo(linkOrFile).absoluteFilePath());
}

}  // namespace

QString documentsFolder() {
  const QString documents = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  if (documents.isEmpty() || documents == QDir::rootPath()) return QString();
  if (isDirectory(documents)) return documents;
  // Created the way a desktop session creates it: one level, inside a folder that exists.
  if (!isDirectory(QFileInfo(documents).absolutePath()) || !QDir().mkdir(documents)) return QString();
  return documents;
}

QString programFolder() { return QCoreApplication::applicationDirPath(); }

bool open(const QString& linkOrFile) {
  const QString target = linkOrFile.trimmed();
  if (target.isEmpty()) return false;
  const QUrl url = urlFor(target);
  if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) return false;
  return QDesktopServices::openUrl(url);
}

bool openHelp(const QString& helpFile) {
  if (helpFile.isEmpty() || !QFileInfo(helpFile).isFile()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath()));
}

}  // namespace shell
