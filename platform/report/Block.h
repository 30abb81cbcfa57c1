#pragma once

#include <functional>
#include <iterator>
#include <vector>

#include "platform/report/Page.h"

namespace report {

class Report;

// Headings that go again at the top of a page when their block is cut between `from` and `to`:
// the column headings of a list whose rows continue on the next page.
struct Continuation {
  int from = 0;
  int to = 0;
  int height = 0;
  std::vector<PageItem> items;  // in twips from the headings' top left corner
};

// Laid-out content of unbounded height: items in twips from its top left corner, and the heights
// at which it may be cut between pages.
struct Block {
  int height = 0;
  std::vector<PageItem> items;
  std::vector<int> breaks;
  std::vector<Continuation> continuations;  // one that encloses others before them

  void append(Block other, int dx);
  // Keeps what starts above `cut`, returns the rest moved up, under the headings of each
  // continuation that the cut falls within.
  Block splitAt(int cut);
  // Repeats `headings`, which end at `from`, when the block is cut below them; they are not
  // separated from what follows them.
  void repeatOnContinuation(const Block& headings, int from);
  void moveBy(int dx, int dy);
};

void translate(PageItem& item, int dx, int dy);
PageItem textItem(const QRect& rect, const QString& text, const TextStyle& style, bool wrap);

// Moves all of `from` to the end of `to`, growing it at most once.
template <typename T>
void moveInto(std::vector<T>& to, std::vector<T>& from) {
  to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

// What a control may ask of the run laying it out: a sub-report's content, laid out as one block.
struct LayoutContext {
  std::function<Block(Report&)> runSubReport;
};

}  // namespace report
