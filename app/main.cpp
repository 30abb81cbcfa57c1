// Gestione Commesse: the program's entry.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "app/frmMain.h"
#include "core/Globals.h"
#include "core/MainModule.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(AppTitle);
  QApplication::setOrganizationName(QStringLiteral(APP_ORGANIZATION));
  QApplication::setApplicationVersion(QStringLiteral(APP_VERSION));

  // The toolkit's own texts (context menus, standard dialogs) in the user's language.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);

  std::unique_ptr<frmMain> window;
  const bool started = Main([&window] {
    window = std::make_unique<frmMain>();
    window->Visualizza();
  });
  if (!started || !window) return 0;
  QObject::connect(window.get(), &frmMain::unloaded, &app, &QApplication::quit, Qt::QueuedConnection);
  return app.exec();
}
