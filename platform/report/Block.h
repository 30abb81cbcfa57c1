#pragma once

#include <functional>
#include <vector>

#include "platform/report/Page.h"

namespace report {

class Report;

// Laid-out content of unbounded height: items in twips from its top left corner, and the heights
// at which it may be cut between pages.
struct Block {
  int height = 0;
  std::vector<PageItem> items;
  std::vector<int> breaks;

  void append(Block other, int dx);
  Block splitAt(int cut);  // keeps what starts above `cut`, returns the rest moved up
};

void translate(PageItem& item, int dx, int dy);
PageItem textItem(const QRect& rect, const QString& text, const TextStyle& style, bool wrap);

// What a control may ask of the run laying it out: a sub-report's content, laid out as one block.
struct LayoutContext {
  std::function<Block(Report&)> runSubReport;
};

}  // namespace report
