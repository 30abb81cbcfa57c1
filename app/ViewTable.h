#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "app/cNodo.h"

// The fixed table of the main window's ten views, in navigation order.
constexpr int kNodeCount = 10;
using NodeTable = std::array<cNodo, kNodeCount>;

// Captions of the three navigation groups and how many views each takes, in index order.
inline const QStringList Gruppi = {QStringLiteral("Gestione"), QStringLiteral("Anagrafiche"),
                                   QStringLiteral("Impostazioni")};
constexpr std::array<std::int16_t, 3> NodiPerGruppo = {2, 4, 4};

// Sets every view's code, captions, group, icon, letter and query, and the job-order filters.
void fillViewTable(NodeTable& nodes);

// The view whose shortcut letter is the given one; when several share it the last one wins.
// -1 when no view has it.
int nodeForLetter(const NodeTable& nodes, QChar letter);
