#pragma once

#include <QPageSize>

#include "platform/report/Page.h"

class QPainter;
class QFont;

namespace report {

// Draws a page on any paint device at the given scale (device units per twip), its top left
// corner at the painter's origin. Screen, printer and PDF all draw through it.
void paintPage(QPainter& painter, const Page& page, double scale);

// The paper size of a page of the given size in twips.
QPageSize pageSizeOf(const QSize& twips);

// The font of a text style in twips (its pixel size is the size in twips), as laid out and drawn.
QFont twipsFont(const TextStyle& style);

}  // namespace report

namespace report {

// Height in twips that a text takes when wrapped within `width` twips (one line at least).
int wrappedHeight(const TextStyle& style, const QString& text, int width);

}  // namespace report
