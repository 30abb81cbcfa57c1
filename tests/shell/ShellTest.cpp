#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "platform/shell/Desktop.h"
#include "tests/support/Printers.h"
#include "tests/support/UserDirs.h"

namespace {

// Stands in for the desktop's applications: records what it was asked to open.
class OpenRecorder : public QObject {
  Q_OBJECT
 public:
  explicit OpenRecorder(const QStringList& schemes) : m_schemes(schemes) {
    for (const QString& scheme : m_schemes) QDesktopServices::setUrlHandler(scheme, this, "open");
  }
  ~OpenRecorder() override {
    for (const QString& scheme : m_schemes) QDesktopServices::unsetUrlHandler(scheme);
  }
  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened << url; }

 private:
  QStringList m_schemes;
};

TEST(DocumentsFolder, FollowsTheUserDirectories) {
  UserDirs dirs;
  EXPECT_EQ(shell::documentsFolder(), dirs.documents());
}

TEST(DocumentsFolder, WithoutUserDirectoriesIsDocumentsInHome) {
  QDir().mkpath(QDir::homePath() + "/Documents");
  EXPECT_EQ(shell::documentsFolder(), QDir::homePath() + "/Documents");
}

TEST(DocumentsFolder, MissingFolderFallsBackToHomeAndMissingHomeGivesNothing) {
  UserDirs dirs("/nessuna/cartella/documenti");
  EXPECT_EQ(shell::documentsFolder(), QDir::homePath());

  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", "/nessuna/casa");
  const QString folder = shell::documentsFolder();
  qputenv("HOME", home);
  EXPECT_EQ(folder, QString());
}

TEST(Open, HandsLinksAndExistingFilesToTheDesktop) {
  OpenRecorder recorder({"mailto", "https", "file"});
  QTemporaryDir dir;
  QFile file(dir.path() + "/elenco clienti.pdf");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();

  EXPECT_TRUE(shell::open("mailto:assistenza@example.it?subject=Errore nel programma"));
  EXPECT_TRUE(shell::open("https://www.example.it/"));
  EXPECT_TRUE(shell::open(file.fileName()));
  ASSERT_EQ(recorder.opened.size(), 3);
  EXPECT_EQ(recorder.opened[0].scheme(), "mailto");
  EXPECT_EQ(recorder.opened[0].path(), "assistenza@example.it");
  EXPECT_EQ(recorder.opened[0].query(QUrl::FullyDecoded), "subject=Errore nel programma");
  EXPECT_EQ(recorder.opened[1].host(), "www.example.it");
  EXPECT_EQ(recorder.opened[2].toLocalFile(), file.fileName());
}

TEST(Open, RefusesNothingAndMissingFiles) {
  OpenRecorder recorder({"file"});
  EXPECT_FALSE(shell::open(""));
  EXPECT_FALSE(shell::open("   "));
  EXPECT_FALSE(shell::open("/nessuna/cartella/file.pdf"));
  EXPECT_FALSE(shell::openHelp("/nessuna/cartella/tarvel.chm"));
  EXPECT_FALSE(shell::openHelp(""));
  EXPECT_TRUE(recorder.opened.isEmpty());
}

TEST(Open, HelpFileGoesToTheDesktopViewer) {
  QTemporaryDir dir;
  QFile help(dir.path() + "/tarvel.chm");
  ASSERT_TRUE(help.open(QIODevice::WriteOnly));
  help.close();
  {
    OpenRecorder recorder({"file"});
    EXPECT_TRUE(shell::openHelp(help.fileName()));
    ASSERT_EQ(recorder.opened.size(), 1);
    EXPECT_EQ(recorder.opened[0], QUrl::fromLocalFile(help.fileName()));
  }
  // Offscreen there is no desktop to start a viewer: the failure reaches the caller.
  if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
    EXPECT_FALSE(shell::openHelp(help.fileName()));
  }
}

}  // namespace

#include "ShellTest.moc"
