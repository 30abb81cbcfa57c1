#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/ProgramStart.h"
#include "core/Globals.h"
#include "platform/forms/MsgBox.h"
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

}  // namespace
