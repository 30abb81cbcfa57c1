#include "app/ProgramStart.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "app/frmMain.h"
#include "core/MainModule.h"

namespace {

// The program speaks Italian whatever the system's locale: numbers, dates, day and month names and
// the fields' tests read and write as in Italy (the key filters turn a typed point into the decimal
// comma the tests expect), and so do the toolkit's own texts (context menus, standard dialogs). The C
// library keeps the system's locale, which nothing of the program reads.
void speakItalian() {
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  static bool textsLoaded = false;
  if (textsLoaded) return;
  textsLoaded = true;
  auto* qtTexts = new QTranslator(qApp);
  if (qtTexts->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(qtTexts);
  else
    delete qtTexts;
}

}  // namespace

int startProgram() {
  speakItalian();
  std::unique_ptr<frmMain> window;
  const bool started = Main([&window] {
    window = std::make_unique<frmMain>();
    window->Visualizza();
  });
  if (!started || !window) return 1;
  QObject::connect(window.get(), &frmMain::unloaded, qApp, &QApplication::quit, Qt::QueuedConnection);
  return QApplication::exec();
}
