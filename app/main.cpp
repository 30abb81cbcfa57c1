// Gestione Commesse: the program's entry.
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/ProgramStart.h"
#include "core/Globals.h"

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

  return startProgram();
}
