#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "core/Globals.h"
#include "core/MainModule.h"
#include "platform/db/Connection.h"
#include "platform/forms/MsgBox.h"
#include "tests/support/Printers.h"
#include "tests/support/TestDb.h"
#include "tests/support/TestEnv.h"
#include "tests/support/UserDirs.h"
#include "tests/support/WithoutRootOverride.h"

namespace {

const QString kNoSystemFile = QStringLiteral("File di sistema assente.\r\nL'applicazione non verrà avviata.");
const QString kDamagedDatabase =
    QStringLiteral("Database non trovato o danneggiato.\r\nL'applicazione non verrà avviata.");

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

QString registryFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + "/Corvane";
}

// Runs the start-up with the documents folder of the test and records what it showed.
class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegKeySettings.clear();
    RegKeyPrinters.clear();
    DBPath.clear();
    ConnString.clear();
    setProgramFolder(testenv::programDir());
    forms::setMsgBoxHandler([this](const forms::MsgBoxRequest& request) {
      messages.push_back(request);
      return int(forms::vbOK);
    });
  }
  void TearDown() override {
    forms::setMsgBoxHandler(nullptr);
    setProgramFolder(QString());
  }

  bool start() {
    return Main([this] {
      ++shown;
      connectionWhenShown = ConnString;
    });
  }
  QString dataFolder() const { return dirs.documents() + "/TarvelDB"; }
  QString database() const { return dataFolder() + "/coms.mdb"; }

  void expectOnlyMessage(const QString& text) {
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, text);
    EXPECT_EQ(messages[0].style, forms::vbCritical | forms::vbOKOnly);
    EXPECT_EQ(messages[0].title, AppTitle);
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(ConnString.isEmpty());
  }

  UserDirs dirs;
  std::vector<forms::MsgBoxRequest> messages;
  int shown = 0;
  QString connectionWhenShown;
};

TEST_F(StartupTest, FirstStartCreatesTheDatabaseFromTheTemplateAndShowsTheWindow) {
  ASSERT_TRUE(start());

  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(DBPath, database());
  EXPECT_EQ(readAll(DBPath), readAll(testenv::programDir() + "/master.gen"));
  EXPECT_EQ(UserDirs::entries(dataFolder()), QStringList{"coms.mdb"});
  EXPECT_EQ(connectionWhenShown,
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + database() + ";Persist Security Info=False");
  EXPECT_EQ(RegKeySettings, "Software\\Corvane\\" + AppTitle + "\\Settings");
  EXPECT_EQ(RegKeyPrinters, "Software\\Corvane\\" + AppTitle + "\\Printers");

  // The new file is the user's own: readable and writable, whatever the template's permissions.
  EXPECT_TRUE(QFileInfo(DBPath).isWritable());
  db::Connection connection;
  connection.Open(ConnString);
  EXPECT_EQ(connection.Execute("INSERT INTO CodiciIVA (CodiceIVA, Aliquota) VALUES ('22', 22)"), 1);
}

TEST_F(StartupTest, SecondStartUsesTheExistingDatabaseUntouched) {
  ASSERT_TRUE(start());
  {
    db::Connection connection;
    connection.Open(ConnString);
    connection.Execute("INSERT INTO Impiegati (Cognome, Nome) VALUES ('Rossi', 'Mario')");
  }
  const QByteArray before = readAll(database());

  ConnString.clear();
  setProgramFolder(QTemporaryDir().path());  // no template needed any more
  ASSERT_TRUE(start());
  EXPECT_EQ(shown, 2);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(readAll(database()), before);
}

TEST_F(StartupTest, MissingTemplateEndsTheStartAndCreatesOnlyTheFolder) {
  QTemporaryDir emptyProgramFolder;
  setProgramFolder(emptyProgramFolder.path());
  const bool registryExisted = QFileInfo::exists(registryFolder());

  EXPECT_FALSE(start());

  expectOnlyMessage(kNoSystemFile);
  EXPECT_EQ(UserDirs::entries(dirs.documents()), QStringList{"TarvelDB"});
  EXPECT_TRUE(UserDirs::entries(dataFolder()).isEmpty());
  EXPECT_EQ(QFileInfo::exists(registryFolder()), registryExisted);
}

TEST_F(StartupTest, DamagedDatabaseIsNeverReplaced) {
  ASSERT_TRUE(QDir().mkpath(dataFolder()));
  const QByteArray damaged = QByteArray("SQLite format 3") + QByteArray(5000, '\x7f');
  writeFile(database(), damaged);
  // Also a file that is a database but not the program's: both stay as they were.
  for (const QByteArray& content : {damaged, QByteArray()}) {
    messages.clear();
    writeFile(database(), content);

    EXPECT_FALSE(start());

    expectOnlyMessage(kDamagedDatabase);
    EXPECT_EQ(readAll(database()), content);
    EXPECT_EQ(UserDirs::entries(dataFolder()), QStringList{"coms.mdb"});
  }
}

TEST_F(StartupTest, ALinkAtTheDatabasePlaceIsNeverReplacedByTheTemplate) {
  // A link whose target is gone (a disk not mounted, a file moved away) is not a missing database.
  ASSERT_TRUE(QDir().mkpath(dataFolder()));
  const QString target = dataFolder() + "/altrove/coms.mdb";
  ASSERT_TRUE(QFile::link(target, database()));

  EXPECT_FALSE(start());

  expectOnlyMessage(kDamagedDatabase);
  EXPECT_TRUE(QFileInfo(database()).isSymLink());
  EXPECT_EQ(QFileInfo(database()).symLinkTarget(), target);
  EXPECT_FALSE(QFileInfo::exists(target));
  EXPECT_EQ(UserDirs::entries(dataFolder()), QStringList{"coms.mdb"});
}

TEST_F(StartupTest, DamagedTemplateGivesTheDamagedMessageAndLeavesNoDatabase) {
  QTemporaryDir programFolder;
  writeFile(programFolder.path() + "/master.gen", "questo non è un database");
  setProgramFolder(programFolder.path());

  EXPECT_FALSE(start());

  expectOnlyMessage(kDamagedDatabase);
  EXPECT_TRUE(UserDirs::entries(dataFolder()).isEmpty());

  // Once the template is sound again, the next start creates the database.
  messages.clear();
  setProgramFolder(testenv::programDir());
  EXPECT_TRUE(start());
  EXPECT_TRUE(messages.empty());
}

// A write that stops half-way (the disk filling up) is simulated with a file-size limit, which
// holds for root too.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_oldHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_saved;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_saved);
    signal(SIGXFSZ, m_oldHandler);
  }

 private:
  rlimit m_saved{};
  sighandler_t m_oldHandler;
};

TEST_F(StartupTest, CopyFailingHalfWayLeavesNoPartialDatabase) {
  ASSERT_GT(QFileInfo(testenv::programDir() + "/master.gen").size(), 8192);
  bool started = true;
  {
    FileSizeLimit limit(4096);
    started = start();
  }
  EXPECT_FALSE(started);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.startsWith("Impossibile creare il database \"" + database() + "\":\r\n"))
      << messages[0].text.toStdString();
  EXPECT_TRUE(messages[0].text.endsWith("\r\nL'applicazione non verrà avviata."));
  EXPECT_EQ(messages[0].style, forms::vbCritical | forms::vbOKOnly);
  EXPECT_EQ(shown, 0);
  EXPECT_TRUE(ConnString.isEmpty());
  EXPECT_TRUE(UserDirs::entries(dataFolder()).isEmpty());
}

TEST_F(StartupTest, CopyIntoReadOnlyFolderNamesThePathAndTheReason) {
  ASSERT_TRUE(QDir().mkpath(dataFolder()));
  QFile::setPermissions(dataFolder(), QFile::ReadOwner | QFile::ExeOwner);

  bool started = true;
  runWithoutRootOverride([&] { started = start(); });
  EXPECT_FALSE(started);

  QFile::setPermissions(dataFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.contains("\"" + database() + "\""));
  EXPECT_GT(messages[0].text.split("\r\n").value(1).size(), 0);
  EXPECT_TRUE(UserDirs::entries(dataFolder()).isEmpty());
}

TEST_F(StartupTest, DataFolderThatIsAFileStopsTheStartWithTheReason) {
  writeFile(dataFolder(), "un file, non una cartella");

  EXPECT_FALSE(start());

  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.startsWith("Impossibile creare il database \"" + database() + "\""));
  EXPECT_EQ(readAll(dataFolder()), "un file, non una cartella");
}

TEST_F(StartupTest, NoDocumentsFolderEndsTheStartWithoutTouchingTheFileSystemRoot) {
  UserDirs missing("/nessuna/cartella/documenti");
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", "/nessuna/casa");
  const bool started = start();
  qputenv("HOME", home);

  EXPECT_FALSE(started);
  expectOnlyMessage(
      QStringLiteral("Cartella Documenti dell'utente non trovata.\r\nL'applicazione non verrà avviata."));
  EXPECT_FALSE(QFileInfo::exists("/coms.mdb"));
  EXPECT_FALSE(QFileInfo::exists("/TarvelDB"));
}

TEST(DataFolder, DefaultDocumentsFolderOfACleanHome) {
  const QString documents = QDir::homePath() + "/Documents";
  QDir(documents + "/TarvelDB").removeRecursively();

  EXPECT_EQ(CartellaDati(), documents + "/TarvelDB");
  EXPECT_TRUE(QFileInfo(documents + "/TarvelDB").isDir());
  // A second call finds the folder and keeps what it holds.
  writeFile(documents + "/TarvelDB/coms.mdb", "dati");
  EXPECT_EQ(CartellaDati(), documents + "/TarvelDB");
  EXPECT_EQ(readAll(documents + "/TarvelDB/coms.mdb"), "dati");
  QDir(documents + "/TarvelDB").removeRecursively();
}

TEST(DataFolder, DocumentsFolderOfTheUserDirectoriesIsHonoured) {
  QDir(QDir::homePath() + "/Documenti").removeRecursively();
  QDir().mkpath(QDir::homePath() + "/Documenti");
  UserDirs dirs("$HOME/Documenti/");

  EXPECT_EQ(CartellaDati(), QDir::homePath() + "/Documenti/TarvelDB");
  EXPECT_TRUE(QFileInfo(QDir::homePath() + "/Documenti/TarvelDB").isDir());
  QDir(QDir::homePath() + "/Documenti").removeRecursively();
}

TEST_F(StartupTest, DataStayInOnePlaceWhenTheDocumentsFolderAppearsOrWasMissing) {
  const QString newDocuments = QDir::homePath() + "/Documenti nuovi";
  const QString oldFolder = QDir::homePath() + "/TarvelDB";
  QDir(newDocuments).removeRecursively();
  QDir(oldFolder).removeRecursively();
  UserDirs notYetThere("$HOME/Documenti nuovi");

  // A missing documents folder is made, as the desktop makes it, and the data go there for good.
  ASSERT_TRUE(start());
  EXPECT_EQ(DBPath, newDocuments + "/TarvelDB/coms.mdb");
  EXPECT_FALSE(QFileInfo::exists(oldFolder));
  QDir(newDocuments).removeRecursively();

  // A database that an earlier version left in the home folder stays in use, with its rows, on
  // every start, also once the documents folder exists.
  ASSERT_TRUE(QDir().mkpath(oldFolder));
  ASSERT_TRUE(QFile::copy(testenv::programDir() + "/master.gen", oldFolder + "/coms.mdb"));
  QFile::setPermissions(oldFolder + "/coms.mdb", QFile::ReadOwner | QFile::WriteOwner);
  for (int avvio = 0; avvio < 2; ++avvio) {
    ConnString.clear();
    ASSERT_TRUE(start());
    EXPECT_EQ(DBPath, oldFolder + "/coms.mdb");
    db::Connection connection;
    connection.Open(ConnString);
    connection.Execute("INSERT INTO Impiegati (Cognome) VALUES ('Riva')");
  }
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(QFileInfo(newDocuments).isDir());
  EXPECT_FALSE(QFileInfo::exists(newDocuments + "/TarvelDB"));
  EXPECT_EQ(testenv::connectionString(oldFolder + "/coms.mdb"), ConnString);
  QDir(newDocuments).removeRecursively();
  QDir(oldFolder).removeRecursively();
}

TEST_F(StartupTest, ADatabaseInUseOrInAReadOnlyFolderIsToldAsSuchAndKept) {
  ASSERT_TRUE(start());
  const QByteArray before = readAll(database());
  sqlite3* otherCopy = nullptr;
  ASSERT_EQ(sqlite3_open(database().toUtf8().constData(), &otherCopy), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(otherCopy, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  ConnString.clear();
  shown = 0;

  EXPECT_FALSE(start());

  sqlite3_exec(otherCopy, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(otherCopy);
  expectOnlyMessage(
      "Il database " + database() +
      " è bloccato da un altro programma. Riprovare tra poco.\r\nL'applicazione non verrà avviata.");
  EXPECT_EQ(readAll(database()), before);

  messages.clear();
  QFile::setPermissions(dataFolder(), QFile::ReadOwner | QFile::ExeOwner);
  bool started = true;
  runWithoutRootOverride([&] { started = start(); });
  EXPECT_FALSE(started);
  QFile::setPermissions(dataFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  expectOnlyMessage("Il database " + database() +
                    " si trova in una cartella in sola lettura: impossibile lavorarci.\r\nL'applicazione non "
                    "verrà avviata.");
}

// A journal left by a write that was cut off must be rolled back before the database can be read;
// in a read-only folder it cannot be, and the message names the folder rather than a damage.
TEST_F(StartupTest, AJournalLeftInAReadOnlyFolderNamesTheFolder) {
  ASSERT_TRUE(start());
  const QString journal = database() + "-journal";
  QByteArray leftOver;
  {
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(database().toUtf8().constData(), &writer), SQLITE_OK);
    // Without syncs the journal carries its mark from the first page on, as a crash would leave it.
    sqlite3_exec(writer, "PRAGMA synchronous=OFF; BEGIN; INSERT INTO Impiegati (Cognome) VALUES ('Riva');",
                 nullptr, nullptr, nullptr);
    leftOver = readAll(journal);
    sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(writer);
  }
  ASSERT_FALSE(leftOver.isEmpty());
  {
    QFile file(journal);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(leftOver);
  }
  ConnString.clear();
  shown = 0;
  QFile::setPermissions(dataFolder(), QFile::ReadOwner | QFile::ExeOwner);
  bool started = true;
  runWithoutRootOverride([&] { started = start(); });
  QFile::setPermissions(dataFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_FALSE(started);
  expectOnlyMessage("Il database " + database() +
                    " si trova in una cartella in sola lettura: impossibile lavorarci.\r\nL'applicazione non "
                    "verrà avviata.");
  EXPECT_EQ(readAll(journal), leftOver);
}

// A documents folder on a small file system of its own, full before the template fits.
TEST_F(StartupTest, AFullDiskSaysTheDiskIsFull) {
  QTemporaryDir smallFs;
  if (mount("tmpfs", smallFs.path().toUtf8().constData(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "no small file system can be mounted here";
  UserDirs newDocuments(smallFs.path());

  const bool started = start();

  const QString contents = UserDirs::entries(smallFs.path() + "/TarvelDB").join(',');
  umount(smallFs.path().toUtf8().constData());
  EXPECT_FALSE(started);
  expectOnlyMessage(
      "Impossibile creare il database \"" + smallFs.path() +
      "/TarvelDB/coms.mdb\":\r\n"
      "Il disco è pieno: spazio insufficiente per il database.\r\nL'applicazione non verrà avviata.");
  EXPECT_EQ(contents, QString());
}

TEST_F(StartupTest, AnOlderDatabaseGetsTheDayIndexOfTheCostsAndAFailureIsToldWithoutStoppingTheStart) {
  const QString indexSql = "SELECT sql FROM sqlite_master WHERE name = 'Costi_CodCom_Data'";
  ASSERT_TRUE(QDir().mkpath(dataFolder()));
  ASSERT_TRUE(QFile::copy(testenv::freshDatabase(), database()));
  testdb::exec(database(), "DROP INDEX Costi_CodCom_Data");
  testdb::exec(database(), "INSERT INTO Costi (CodCom, Data) VALUES ('C1', '2024-03-05')");

  ASSERT_TRUE(start());
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(testdb::scalar(database(), indexSql).contains("(CodCom, Data)"));
  EXPECT_EQ(testdb::scalar(database(), "SELECT CodCom || Data FROM Costi"), "C12024-03-05");

  // Something else under the index's name: the index cannot be made, the user is told, the program starts.
  testdb::exec(database(), "DROP INDEX Costi_CodCom_Data");
  testdb::exec(database(), "CREATE TABLE Costi_CodCom_Data (a TEXT)");
  ASSERT_TRUE(start());
  EXPECT_EQ(shown, 2);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.startsWith("Impossibile aggiornare gli indici del database"))
      << messages[0].text.toStdString();
  EXPECT_TRUE(messages[0].text.contains("Costi_CodCom_Data"));
  EXPECT_EQ(messages[0].style, forms::vbExclamation | forms::vbOKOnly);
  EXPECT_EQ(messages[0].title, AppTitle);
}

TEST(DatabaseOpenTest, FailsForWhatIsNotTheProgramsDatabase) {
  QTemporaryDir dir;
  const QString missing = dir.path() + "/manca.mdb";
  EXPECT_TRUE(DBOpenFails(testenv::connectionString(missing)));
  EXPECT_FALSE(QFileInfo::exists(missing));

  const QString text = dir.path() + "/testo.mdb";
  writeFile(text, "testo qualsiasi");
  EXPECT_TRUE(DBOpenFails(testenv::connectionString(text)));

  EXPECT_FALSE(DBOpenFails(testenv::connectionString(testenv::freshDatabase())));
}

}  // namespace
