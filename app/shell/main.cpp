// Gestione Commesse: the program's entry.
#include <QApplication>
#include <memory>

#include "app/core/Globals.h"
#include "app/core/MainModule.h"
#include "app/shell/frmMain.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(AppTitle);
  QApplication::setOrganizationName(QStringLiteral(APP_ORGANIZATION));
  QApplication::setApplicationVersion(QStringLiteral(APP_VERSION));

  std::unique_ptr<frmMain> finestra;
  const bool avviato = Main([&finestra] {
    finestra = std::make_unique<frmMain>();
    finestra->Visualizza();
  });
  if (!avviato || !finestra) return 0;
  QObject::connect(finestra.get(), &frmMain::scaricata, &app, &QApplication::quit, Qt::QueuedConnection);
  return app.exec();
}
