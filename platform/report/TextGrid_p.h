#pragma once

#include <QString>
#include <vector>

#include "platform/report/Page.h"

namespace report {

// The texts of pages arranged in rows (by their tops) and columns (by their anchors: the left
// edge of a left-aligned text, the right edge of a right-aligned one, the middle of a centred
// one), for the formats that hold rows of text rather than positioned items.
struct TextRow {
  int top = 0;                         // twips; pages stacked one below the other
  std::vector<const PageItem*> items;  // by anchor, left to right
};

int anchorOf(const PageItem& item);

std::vector<TextRow> textRows(const Page& page, int pageTop = 0);

struct TextGrid {
  std::vector<TextRow> rows;
  std::vector<int> columnStarts;  // the smallest anchor of each column, ascending
  int columnOf(const PageItem& item) const;
};

TextGrid textGrid(const Pages& pages);

// A page's texts, one line per row, the texts of a row separated by tabs.
QString pageText(const Page& page);

}  // namespace report
