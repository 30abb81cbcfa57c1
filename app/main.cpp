// Gestione Commesse: the program's entry.
#include <QApplication>

#include "app/ProgramStart.h"
#include "core/Globals.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(AppTitle);
  QApplication::setOrganizationName(QStringLiteral(APP_ORGANIZATION));
  QApplication::setApplicationVersion(QStringLiteral(APP_VERSION));
  return startProgram();
}
