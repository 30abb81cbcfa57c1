#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLocale>

#include "tests/support/TestEnv.h"

// Every test binary runs with a private HOME and configuration folder, the Italian locale and
// offscreen widgets, so that nothing touches the real user's files or display.
int main(int argc, char** argv) {
  const QString home = testenv::homeDir();
  qputenv("HOME", home.toUtf8());
  qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
  qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
  qunsetenv("XDG_DOCUMENTS_DIR");
  qputenv("LANG", "it_IT.UTF-8");
  qputenv("LC_ALL", "it_IT.UTF-8");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QDir().mkpath(home + "/Documents");

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral(APP_TITLE));
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
