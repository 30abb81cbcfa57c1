#include "core/MainModule.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include "core/Globals.h"
#include "core/comRegistry.h"
#include "core/comUtility.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/forms/MsgBox.h"
#include "platform/shell/Desktop.h"

namespace {

const QString kNotStarted = QStringLiteral("L'applicazione non verrà avviata.");

void criticalMessage(const QString& text) {
  forms::MsgBox(text + "\r\n" + kNotStarted, forms::vbCritical | forms::vbOKOnly, AppTitle);
}

QString connectionStringFor(const QString& path) {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Persist Security Info=False";
}

// Why the database of the connection string does not open; nothing when it opens.
std::optional<db::DbError> openError(const QString& connectionString) {
  try {
    db::Connection connection;
    connection.Open(connectionString);
    connection.Close();
    return std::nullopt;
  } catch (const db::DbError& e) {
    return e;
  }
}

// Indexes that databases made from an older template lack. Without them the program works as well,
// only slower: the cost rows of one job order on one day are found through this one.
const char* const kLaterIndexes[] = {"CREATE INDEX IF NOT EXISTS Costi_CodCom_Data ON Costi (CodCom, Data)"};

// Adds the indexes a database lacks. A failure is told, and the start goes on.
void addMissingIndexes(const QString& connectionString) {
  try {
    db::Connection connection;
    connection.Open(connectionString);
    for (const char* index : kLaterIndexes) connection.Execute(QString::fromUtf8(index));
  } catch (const db::DbError& e) {
    forms::MsgBox(
        "Impossibile aggiornare gli indici del database: il programma sarà più lento.\r\n" + e.description(),
        forms::vbExclamation | forms::vbOKOnly, AppTitle);
  }
}

// A database that is there but cannot be used: a lock or a read-only place are told as they are,
// anything else is the damaged database. A folder that cannot be written is named whatever the
// error: a journal left by an interrupted write cannot be rolled back there, and the database
// would not open for work even if it could.
QString unusableDatabaseReason(const db::DbError& error) {
  if (error.code() == db::DbError::Busy || error.code() == db::DbError::ReadOnly) return error.description();
  if (!QFileInfo(QFileInfo(DBPath).absolutePath()).isWritable())
    return "Il database " + DBPath + " si trova in una cartella in sola lettura: impossibile lavorarci.";
  return QStringLiteral("Database non trovato o danneggiato.");
}

// Anything at the path, even a link that leads nowhere, is a file the user may care about.
bool fileExists(const QString& path) {
  const QFileInfo info(path);
  return info.exists() || info.isSymLink();
}

// Copies source into target (already open) in blocks; false on the first failed read or write.
bool copyContents(QFile& source, QSaveFile& target, QString& reason) {
  constexpr qint64 kBlock = 256 * 1024;
  while (!source.atEnd()) {
    const QByteArray data = source.read(kBlock);
    if (data.isEmpty() && source.error() != QFileDevice::NoError) {
      reason = source.errorString();
      return false;
    }
    if (target.write(data) != data.size()) {
      reason = target.errorString();
      return false;
    }
  }
  return true;
}

// The reason of a failed copy: a disk without room for the template says so, whatever the system's
// own text.
QString copyFailureReason(const QString& systemReason, qint64 size) {
  const QStorageInfo disk(QFileInfo(DBPath).absolutePath());
  if (disk.isValid() && disk.bytesAvailable() < size)
    return QStringLiteral("Il disco è pieno: spazio insufficiente per il database.");
  return systemReason;
}

}  // namespace

QString CartellaDati() {
  QString path = shell::documentsFolder();
  if (path.isEmpty()) return QString();
  if (!path.endsWith('/')) path += '/';
  path += QStringLiteral("TarvelDB");
  // Earlier versions put the folder in the home folder when the documents folder was missing: a
  // database left there stays in use rather than a new, empty one taking its place.
  const QString oldFolder = QDir::homePath() + QStringLiteral("/TarvelDB");
  if (oldFolder != path && !fileExists(path + QStringLiteral("/coms.mdb")) &&
      fileExists(oldFolder + QStringLiteral("/coms.mdb")))
    return oldFolder;
  if (!QFileInfo(path).isDir()) QDir().mkdir(path);
  return path;
}

bool DBOpenFails(const QString& connectionString) { return openError(connectionString).has_value(); }

MasterCopyResult CopiaMaster() {
  const QString master = ProgramFolder() + QStringLiteral("/master.gen");
  if (!QFileInfo(master).isFile()) return {MasterCopyResult::MasterMissing, QString()};

  QFile source(master);
  if (!source.open(QIODevice::ReadOnly)) return {MasterCopyResult::CopyFailed, source.errorString()};
  const qint64 size = source.size();
  QSaveFile target(DBPath);
  if (!target.open(QIODevice::WriteOnly))
    return {MasterCopyResult::CopyFailed, copyFailureReason(target.errorString(), size)};

  // A copy left uncommitted is discarded with its temporary file.
  QString reason;
  if (!copyContents(source, target, reason))
    return {MasterCopyResult::CopyFailed, copyFailureReason(reason, size)};
  if (!target.commit()) return {MasterCopyResult::CopyFailed, copyFailureReason(target.errorString(), size)};
  return {MasterCopyResult::Copied, QString()};
}

Variant LeggiRegistro(std::int32_t ClassKey, const QString& SectionKey, std::int32_t ValueType,
                      const QString& ValueKey, const std::optional<Variant>& Default) {
  comRegistry reg;
  reg.setClassKey(ClassKey);
  reg.setSectionKey(SectionKey);
  reg.setValueType(ValueType);
  reg.setValueKey(ValueKey);
  if (Default) reg.setDefault(*Default);
  return reg.Value();
}

bool Main(const std::function<void()>& show) {
  const QString root = "Software\\Corvane\\" + AppTitle;
  RegKeySettings = root + "\\Settings";
  RegKeyPrinters = root + "\\Printers";

  // Without a documents folder there is no place of the user's own for the data: the root of the
  // file system is none.
  const QString folder = CartellaDati();
  if (folder.isEmpty()) {
    criticalMessage(QStringLiteral("Cartella Documenti dell'utente non trovata."));
    return false;
  }
  DBPath = folder + QStringLiteral("/coms.mdb");
  const QString connection = connectionStringFor(DBPath);

  if (const std::optional<db::DbError> error = openError(connection)) {
    // A file that is there but does not open holds the user's data: it is never replaced.
    if (fileExists(DBPath)) {
      criticalMessage(unusableDatabaseReason(*error));
      return false;
    }
    const MasterCopyResult copy = CopiaMaster();
    if (copy.status == MasterCopyResult::MasterMissing) {
      criticalMessage(QStringLiteral("File di sistema assente."));
      return false;
    }
    if (copy.status == MasterCopyResult::CopyFailed) {
      criticalMessage("Impossibile creare il database \"" + DBPath + "\":\r\n" + copy.reason);
      return false;
    }
    if (const std::optional<db::DbError> error = openError(connection)) {
      // The copy holds no data yet; removing it lets a later start copy a sound template.
      QFile::remove(DBPath);
      criticalMessage(unusableDatabaseReason(*error));
      return false;
    }
  }

  addMissingIndexes(connection);
  ConnString = connection;
  show();
  return true;
}

bool initMainWindow() {
  const Variant layout = LeggiRegistro(HKEY_CURRENT_USER, RegKeySettings, REG_DWORD,
                                       QStringLiteral("regLoadViewLayout"), Variant(std::int32_t(1)));
  DataLavoro = QDate::currentDate();
  AnnoLavoro = static_cast<std::int16_t>(DataLavoro.year());
  HelpFile = ProgramFolder() + QStringLiteral("/tarvel.chm");
  return NzNum(layout, 0) == 1;
}
