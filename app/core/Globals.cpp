#include "app/core/Globals.h"

#include <QCoreApplication>

QString ProgramFolder() { return QCoreApplication::applicationDirPath(); }
