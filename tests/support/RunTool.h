#pragma once

#include <QString>
#include <QStringList>

// Runs a program to its end (at most `seconds`) and gives its standard output; fails the test
// when it cannot start, times out or ends with an error.
QString runTool(const QString& program, const QStringList& arguments, int seconds = 60);
