#include "platform/report/Block.h"

#include <iterator>

namespace report {

void translate(PageItem& item, int dx, int dy) {
  item.rect.translate(dx, dy);
  item.line.translate(dx, dy);
}

PageItem textItem(const QRect& rect, const QString& text, const TextStyle& style, bool wrap) {
  PageItem item;
  item.rect = rect;
  item.text = text;
  item.style = style;
  item.wrap = wrap;
  return item;
}

void Block::append(Block other, int dx) {
  if (height > 0) breaks.push_back(height);
  other.moveBy(dx, height);
  moveInto(items, other.items);
  breaks.insert(breaks.end(), other.breaks.begin(), other.breaks.end());
  moveInto(continuations, other.continuations);
  height += other.height;
}

void Block::moveBy(int dx, int dy) {
  for (PageItem& item : items) translate(item, dx, dy);
  for (int& b : breaks) b += dy;
  for (Continuation& c : continuations) {
    c.from += dy;
    c.to += dy;
    for (PageItem& item : c.items) translate(item, dx, 0);
  }
}

Block Block::splitAt(int cut) {
  Block rest;
  std::vector<PageItem> kept;
  for (PageItem& item : items) {
    if (item.rect.top() < cut)
      kept.push_back(std::move(item));
    else
      rest.items.push_back(std::move(item));
  }
  items = std::move(kept);
  for (int b : breaks)
    if (b > cut) rest.breaks.push_back(b);
  breaks.clear();

  // Continuations are kept outer ones first, so the outer headings lead; in the rest the spanning
  // ones, which no later continuation can enclose, go ahead of the later ones.
  std::vector<Continuation> spanning;
  for (Continuation& c : continuations) {
    if (c.from < cut && cut < c.to)
      spanning.push_back(std::move(c));
    else if (c.from >= cut)
      rest.continuations.push_back(std::move(c));
  }
  continuations.clear();

  int headings = 0;
  for (const Continuation& c : spanning) headings += c.height;
  rest.height = height - cut;
  rest.moveBy(0, headings - cut);
  rest.height += headings;
  int top = 0;
  for (Continuation& c : spanning) {
    for (PageItem item : c.items) {
      translate(item, 0, top);
      rest.items.push_back(std::move(item));
    }
    top += c.height;
    c.to += headings - cut;
    c.from = headings;
  }
  rest.continuations.insert(rest.continuations.begin(), std::make_move_iterator(spanning.begin()),
                            std::make_move_iterator(spanning.end()));
  height = cut;
  return rest;
}

void Block::repeatOnContinuation(const Block& headings, int from) {
  std::erase_if(breaks, [&](int b) { return b >= from - headings.height && b <= from; });
  // They enclose the continuations that follow them in the block: they go first.
  if (height > from)
    continuations.insert(continuations.begin(), Continuation{from, height, headings.height, headings.items});
}

}  // namespace report
