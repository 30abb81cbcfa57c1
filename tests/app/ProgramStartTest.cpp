#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include "app/ProgramStart.h"
#include "core/Globals.h"
#include "platform/forms/MsgBox.h"
#include "tests/support/RunTool.h"
#include "tests/support/TestDb.h"
#include "tests/support/TestEnv.h"

namespace {

// A start that ends with a critical message gives a non-zero exit status, so that scripts and the
// desktop see the failure; nothing is left running.
TEST(ProgramStart, AFailedStartEndsWithANonZeroExitStatus) {
  QStringList shown;
  forms::setMsgBoxHandler([&shown](const forms::MsgBoxRequest& r) {
    shown << r.text;
    return int(forms::vbOK);
  });
  const QString folder = QDir::homePath() + "/Documents/TarvelDB";
  QDir(folder).removeRecursively();

  // The template is missing.
  QTemporaryDir emptyFolder;
  setProgramFolder(emptyFolder.path());
  EXPECT_EQ(startProgram(), 1);
  setProgramFolder(testenv::programDir());

  // The database is damaged.
  QFile danneggiato(folder + "/coms.mdb");
  ASSERT_TRUE(danneggiato.open(QIODevice::WriteOnly));
  danneggiato.write("non è un database");
  danneggiato.close();
  EXPECT_EQ(startProgram(), 1);

  forms::setMsgBoxHandler(nullptr);
  setProgramFolder(QString());
  QDir(folder).removeRecursively();
  ASSERT_EQ(shown.size(), 2);
  EXPECT_TRUE(shown[0].startsWith("File di sistema assente."));
  EXPECT_TRUE(shown[1].startsWith("Database non trovato o danneggiato."));
}

// Environment variables of the processes a test starts, restored when it ends.
class ChildEnvironment {
 public:
  void set(const char* name, const QString& value) {
    if (!m_saved.contains(name)) m_saved[name] = qgetenv(name);
    qputenv(name, value.toUtf8());
  }
  ~ChildEnvironment() {
    for (auto it = m_saved.cbegin(); it != m_saved.cend(); ++it) qputenv(it.key().constData(), it.value());
  }

 private:
  QMap<QByteArray, QByteArray> m_saved;
};

// The program speaks Italian under any system locale: a rate typed "12.500" (the point turned into
// the decimal comma) is twelve and a half, stored as SQLite's 12.5, and amounts and dates are written
// as in Italy; the C library keeps the system's own decimal point.
TEST(ProgramStart, ItalianWhateverTheSystemLocale) {
  const struct {
    const char* locale;
    const char* cDecimalPoint;
  } systems[] = {{"C.UTF-8", "."}, {"en_US.UTF-8", "."}, {"it_IT.UTF-8", ","}};
  ChildEnvironment child;
  for (const auto& system : systems) {
    SCOPED_TRACE(system.locale);
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath("Documents"));
    child.set("LANG", system.locale);
    child.set("LC_ALL", system.locale);
    child.set("HOME", home.path());
    child.set("XDG_CONFIG_HOME", home.path() + "/.config");
    const QStringList lines = runTool(testenv::programDir() + "/program_locale_child", {}).split('\n');
    EXPECT_EQ(lines.mid(0, 3), (QStringList{"1.234,50", "lunedì 7 dicembre 2026", system.cDecimalPoint}));
    EXPECT_EQ(testdb::scalar(home.path() + "/Documents/TarvelDB/coms.mdb",
                             "SELECT Tariffa FROM Impiegati WHERE Cognome='Rossi' AND Nome='Mario'"),
              QStringLiteral("12.5"));
  }
}

}  // namespace
