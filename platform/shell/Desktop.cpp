#include "platform/shell/Desktop.h"

#include "platform/shell/HelpViewer.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
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
  const QString documents =
      QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
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

bool hasViewerFor(const QString& file) {
  const QMimeType type = QMimeDatabase().mimeTypeForFile(file, QMimeDatabase::MatchExtension);
  QStringList names = type.aliases();
  names << type.name();
  if (file.endsWith(QLatin1String(".chm"), Qt::CaseInsensitive))
    names << QStringLiteral("application/vnd.ms-htmlhelp") << QStringLiteral("application/x-chm");
  for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
    QDirIterator entries(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
      QFile entry(entries.next());
      if (!entry.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
      while (!entry.atEnd()) {
        const QString line = QString::fromUtf8(entry.readLine()).trimmed();
        if (!line.startsWith(QLatin1String("MimeType="))) continue;
        for (const QString& declared : line.mid(9).split(';', Qt::SkipEmptyParts))
          if (names.contains(declared.trimmed())) return true;
      }
    }
  }
  return false;
}

bool openHelp(const QString& helpFile) {
  if (helpFile.isEmpty()) return false;
  if (QFileInfo(helpFile).isFile() && hasViewerFor(helpFile))
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath()));
  return showHelpPages(helpFile);
}

}  // namespace shell
