#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/Avvio.h"
#include "core/Globals.h"
#include "platform/forms/MsgBox.h"
#include "tests/support/TestEnv.h"

namespace {

// A start that ends with a critical message gives a non-zero exit status, so that scripts and the
// desktop see the failure; nothing is left running.
TEST(Avvio, AFailedStartEndsWithANonZeroExitStatus) {
  QStringList mostrati;
  forms::setMsgBoxHandler([&mostrati](const forms::MsgBoxRequest& r) {
    mostrati << r.text;
    return int(forms::vbOK);
  });
  const QString cartella = QDir::homePath() + "/Documents/TarvelDB";
  QDir(cartella).removeRecursively();

  // The template is missing.
  QTemporaryDir vuota;
  setProgramFolder(vuota.path());
  EXPECT_EQ(Avvia(), 1);
  setProgramFolder(testenv::programDir());

  // The database is damaged.
  QFile danneggiato(cartella + "/coms.mdb");
  ASSERT_TRUE(danneggiato.open(QIODevice::WriteOnly));
  danneggiato.write("non è un database");
  danneggiato.close();
  EXPECT_EQ(Avvia(), 1);

  forms::setMsgBoxHandler(nullptr);
  setProgramFolder(QString());
  QDir(cartella).removeRecursively();
  ASSERT_EQ(mostrati.size(), 2);
  EXPECT_TRUE(mostrati[0].startsWith("File di sistema assente."));
  EXPECT_TRUE(mostrati[1].startsWith("Database non trovato o danneggiato."));
}

}  // namespace
