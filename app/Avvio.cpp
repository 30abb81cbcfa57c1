#include "app/Avvio.h"

#include <QApplication>
#include <memory>

#include "app/frmMain.h"
#include "core/MainModule.h"

int Avvia() {
  std::unique_ptr<frmMain> finestra;
  const bool avviato = Main([&finestra] {
    finestra = std::make_unique<frmMain>();
    finestra->Visualizza();
  });
  if (!avviato || !finestra) return 1;
  QObject::connect(finestra.get(), &frmMain::scaricata, qApp, &QApplication::quit, Qt::QueuedConnection);
  return QApplication::exec();
}
