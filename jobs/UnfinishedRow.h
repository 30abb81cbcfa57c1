#pragma once

#include <QString>
#include <QStringList>

// What a grid window says when it cannot close or move on because the row in editing cannot be
// written: which cells the row still needs (their captions), and that Esc discards it.
QString unfinishedRowMessage(const QStringList& missing);
