#pragma once

#include <QString>
#include <QStringList>

#include "platform/report/Page.h"

namespace testenv {

// Runs a program to its end (at most `seconds`) and gives its standard output; fails the test when it
// cannot start, times out or ends with an error.
QString runTool(const QString& program, const QStringList& arguments, int seconds = 60);

// The texts of a report's pages in drawing order, one entry per text item.
QStringList pageTexts(const report::Pages& pages);

}  // namespace testenv
