#include "platform/report/Block.h"

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
  for (PageItem& item : other.items) {
    translate(item, dx, height);
    items.push_back(std::move(item));
  }
  for (int b : other.breaks) breaks.push_back(height + b);
  height += other.height;
}

Block Block::splitAt(int cut) {
  Block rest;
  rest.height = height - cut;
  std::vector<PageItem> kept;
  for (PageItem& item : items) {
    if (item.rect.top() < cut) {
      kept.push_back(std::move(item));
    } else {
      translate(item, 0, -cut);
      rest.items.push_back(std::move(item));
    }
  }
  items = std::move(kept);
  for (int b : breaks)
    if (b > cut) rest.breaks.push_back(b - cut);
  breaks.clear();
  height = cut;
  return rest;
}

}  // namespace report
