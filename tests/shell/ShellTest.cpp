#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include "platform/shell/Desktop.h"
#include "platform/shell/HelpViewer.h"
#include "tests/common/ChmViewer.h"
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

TEST(DocumentsFolder, MissingFolderIsMadeOneLevelDeepAndOtherwiseGivesNothing) {
  QDir(QDir::homePath() + "/Documenti").removeRecursively();
  {
    UserDirs dirs("$HOME/Documenti");
    EXPECT_EQ(shell::documentsFolder(), QDir::homePath() + "/Documenti");
    EXPECT_TRUE(QFileInfo(QDir::homePath() + "/Documenti").isDir());
    EXPECT_EQ(shell::documentsFolder(), QDir::homePath() + "/Documenti");
  }
  QDir(QDir::homePath() + "/Documenti").removeRecursively();

  UserDirs dirs("/nessuna/cartella/documenti");
  EXPECT_EQ(shell::documentsFolder(), QString());
  EXPECT_FALSE(QFileInfo::exists("/nessuna"));

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

void writeFile(const QString& path, const QByteArray& text) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
}

// Without a viewer for the compiled file the program shows the pages it is built from, at the
// default page of their project, centred on the active window; with one, the desktop opens the file.
TEST(Open, HelpGoesToTheDesktopViewerOrToTheProgramsOwnWindow) {
  QTemporaryDir dir;
  const QString help = dir.path() + "/tarvel.chm";
  writeFile(help, "ITSF");
  writeFile(dir.path() + "/tarvel/tarvel.hhp", "[OPTIONS]\nDefault topic=inizio.htm\nTitle=Guida\n");
  writeFile(
      dir.path() + "/tarvel/inizio.htm",
      "<html><head><title>Guida di prova</title></head><body><a href=\"altro.htm\">Altro</a></body></html>");
  writeFile(dir.path() + "/tarvel/altro.htm",
            "<html><head><title>Altra pagina</title></head><body></body></html>");
  OpenRecorder recorder({"file"});
  QWidget owner;
  owner.setGeometry(300, 200, 900, 700);
  owner.show();
  QApplication::setActiveWindow(&owner);

  ASSERT_FALSE(shell::hasViewerFor(help));
  EXPECT_TRUE(shell::openHelp(help));
  shell::HelpWindow* window = shell::helpWindow();
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->browser()->source(), QUrl::fromLocalFile(dir.path() + "/tarvel/inizio.htm"));
  EXPECT_EQ(window->windowTitle(), "Guida di prova");
  EXPECT_LE((window->geometry().center() - owner.geometry().center()).manhattanLength(), 10);
  EXPECT_TRUE(recorder.opened.isEmpty());

  // A followed link can be gone back and forth along; Esc closes the window.
  auto* back = window->findChild<QAction*>("helpBack");
  auto* forward = window->findChild<QAction*>("helpForward");
  ASSERT_TRUE(back && forward);
  EXPECT_FALSE(back->isEnabled());
  window->browser()->setSource(QUrl::fromLocalFile(dir.path() + "/tarvel/altro.htm"));
  EXPECT_EQ(window->windowTitle(), "Altra pagina");
  back->trigger();
  EXPECT_EQ(window->browser()->source(), QUrl::fromLocalFile(dir.path() + "/tarvel/inizio.htm"));
  ASSERT_TRUE(forward->isEnabled());
  forward->trigger();
  EXPECT_EQ(window->windowTitle(), "Altra pagina");
  QTest::keyClick(window->browser(), Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());

  {
    ChmViewer viewer;
    EXPECT_TRUE(shell::hasViewerFor(help));
    EXPECT_TRUE(shell::openHelp(help));
    ASSERT_EQ(recorder.opened.size(), 1);
    EXPECT_EQ(recorder.opened[0], QUrl::fromLocalFile(help));
  }

  // Neither a viewer nor the pages: the caller hears of it.
  QDir(dir.path() + "/tarvel").removeRecursively();
  EXPECT_FALSE(shell::openHelp(help));
}

}  // namespace

#include "ShellTest.moc"
