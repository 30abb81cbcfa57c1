#include "tests/support/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>
#include <stdexcept>

namespace testenv {

namespace {
QTemporaryDir& home() {
  static QTemporaryDir dir;
  return dir;
}
}  // namespace

QString homeDir() { return home().path(); }

QString programDir() { return QStringLiteral(PROGRAM_DIR); }

QString freshDatabase() {
  const QString dir = homeDir() + "/dbs";
  QDir().mkpath(dir);
  const QString path = dir + "/" + QUuid::createUuid().toString(QUuid::Id128) + ".mdb";
  if (!QFile::copy(programDir() + "/master.gen", path))
    throw std::runtime_error("master.gen not found beside the program: build the template first");
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  return path;
}

QString connectionString(const QString& dbPath) {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + dbPath + ";Persist Security Info=False";
}

}  // namespace testenv
