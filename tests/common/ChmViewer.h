#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

// Makes the desktop declare a viewer for compiled help files while it lives, the way an installed
// viewer does: a desktop entry with the help file's type in the user's applications folder.
class ChmViewer {
 public:
  ChmViewer() {
    QDir().mkpath(QFileInfo(path()).path());
    QFile entry(path());
    if (entry.open(QIODevice::WriteOnly))
      entry.write(
          "[Desktop Entry]\nType=Application\nName=Visore\nExec=visore %f\n"
          "MimeType=application/vnd.ms-htmlhelp;\n");
  }
  ~ChmViewer() { QFile::remove(path()); }
  ChmViewer(const ChmViewer&) = delete;
  ChmViewer& operator=(const ChmViewer&) = delete;

 private:
  static QString path() {
    return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation) + "/visore-chm.desktop";
  }
};
