#pragma once

#include <QString>
#include <QTemporaryDir>

// Gives a test its own documents folder by writing the XDG user-directories file, as a desktop
// session does; the file is removed again when the object goes.
class UserDirs {
 public:
  // A fresh, empty documents folder in a temporary directory.
  UserDirs();
  // The documents folder named by the given line value (e.g. "$HOME/Documenti"), created or not.
  explicit UserDirs(const QString& documentsValue);
  ~UserDirs();
  UserDirs(const UserDirs&) = delete;
  UserDirs& operator=(const UserDirs&) = delete;

  QString documents() const { return m_documents; }

  // The entries of a folder (files and folders, hidden ones too), sorted.
  static QStringList entries(const QString& folder);

 private:
  void write(const QString& value);

  QTemporaryDir m_root;
  QString m_documents;
};
