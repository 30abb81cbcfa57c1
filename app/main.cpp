// Gestione Commesse: the program's entry.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

#include "core/Globals.h"
#include "core/MainModule.h"
#include "app/frmMain.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(AppTitle);
  QApplication::setOrganizationName(QStringLiteral(APP_ORGANIZATION));
  QApplication::setApplicationVersion(QStringLiteral(APP_VERSION));

  // The toolkit's own texts (context menus, standard dialogs) in the user's language.
  QTranslator testiQt;
  if (testiQt.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&testiQt);

  std::unique_ptr<frmMain> finestra;
  const bool avviato = Main([&finestra] {
    finestra = std::make_unique<frmMain>();
    finestra->Visualizza();
  });
  if (!avviato || !finestra) return 0;
  QObject::connect(finestra.get(), &frmMain::scaricata, &app, &QApplication::quit, Qt::QueuedConnection);
  return app.exec();
}
