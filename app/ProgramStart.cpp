#include "app/ProgramStart.h"

#include <QApplication>
#include <memory>

#include "app/frmMain.h"
#include "core/MainModule.h"

int startProgram() {
  std::unique_ptr<frmMain> window;
  const bool started = Main([&window] {
    window = std::make_unique<frmMain>();
    window->Visualizza();
  });
  if (!started || !window) return 1;
  QObject::connect(window.get(), &frmMain::unloaded, qApp, &QApplication::quit, Qt::QueuedConnection);
  return QApplication::exec();
}
