#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/report/Page.h"

namespace benchreport {

// Reads every row of a query through bare SQLite, each text column as a QString, the others as
// numbers: the least a report reading the same rows must do.
void readBare(const QString& databasePath, const char* sql);

// The texts, lines and boxes of a report's pages, taken as the report makes them and kept in a
// few large arrays: holding millions of page items as heap objects would slow down the report
// measured beside them.
class BarePages : public report::PageSink {
 public:
  void page(report::Page page) override;
  std::size_t count() const { return m_pageStarts.size(); }

  // Paints the pages into a PDF file with nothing but QPdfWriter and QPainter calls: each text at
  // its baseline point, without alignment, wrapping or clipping, the font set only when the style
  // changes; lines and boxes as they are. The least a report painting the same texts must do.
  void paint(const QString& path) const;

 private:
  struct Item {
    report::PageItem::Kind kind = report::PageItem::Kind::Text;
    std::uint8_t style = 0;       // texts: index in m_styles
    std::uint32_t textStart = 0;  // texts: where the text starts in m_texts, and its length
    std::uint32_t length = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // a text's top left corner, a box's corners or a line's ends
  };

  QSize m_pageSize;
  std::vector<std::size_t> m_pageStarts;  // each page's first item
  std::vector<Item> m_items;
  std::vector<report::TextStyle> m_styles;
  QString m_texts;  // all texts one after the other
};

// CPU times in milliseconds of a measure and its floor, run one right after the other in each
// repetition so that both meet the machine in the same state.
class PairedTimes {
 public:
  void add(const std::function<void()>& measure, const std::function<void()>& floor);
  bool empty() const { return m_measured.empty(); }
  double measuredMedian() const;
  double floorMedian() const;

 private:
  std::vector<double> m_measured;
  std::vector<double> m_floor;
};

}  // namespace benchreport
