#pragma once

#include <QLine>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

#include "platform/runtime/Variant.h"

namespace report {

// How a text is drawn. Sizes in points; the alignment is horizontal (left, right or centre).
struct TextStyle {
  QString family = QStringLiteral("DejaVu Sans");
  double pointSize = 9;
  bool bold = false;
  bool italic = false;
  Qt::Alignment alignment = Qt::AlignLeft;

  bool operator==(const TextStyle&) const = default;
};

// One positioned item of a page, in twips from the page's top left corner.
struct PageItem {
  enum class Kind { Text, Line, Box };
  Kind kind = Kind::Text;
  QRect rect;  // Text and Box: the area; Line: the bounding box of `line`
  QLine line;  // Line only
  int lineWidth = 15;
  // Text: what is shown, and the value behind it (a number or a date for a formatted field, Null
  // for a caption or a text that replaced the value). Spreadsheet exports write `value` when it is
  // a number or a date, `text` otherwise.
  QString text;
  Variant value = Variant::null();
  TextStyle style;
  bool wrap = false;     // Text: wrapped within the width instead of cut at it
  bool checked = false;  // Box: drawn with a cross (a ticked check box)
  // Text: the format pattern that made `text` from `value` (empty for none), so that a spreadsheet
  // can show the value as the page does.
  QString format;
};

// A produced page: its size in twips and its items in drawing order; the margins of the report's
// page, in twips, frame the area its sections fill.
struct Page {
  QSize size;
  std::vector<PageItem> items;
  QMargins margins;
};

using Pages = std::vector<Page>;

// Takes a run's pages one at a time, as each is finished.
class PageSink {
 public:
  virtual ~PageSink() = default;
  virtual void page(Page page) = 0;
};

}  // namespace report
