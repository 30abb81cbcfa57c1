#include "bench/report/PdfFloor.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "platform/report/PagePainter.h"

namespace benchreport {

void readBare(const QString& databasePath, const char* sql) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(databasePath.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
    std::abort();
  }
  while (sqlite3_step(statement) == SQLITE_ROW)
    for (int i = 0; i < sqlite3_column_count(statement); ++i)
      if (sqlite3_column_type(statement, i) == SQLITE_TEXT)
        benchmark::DoNotOptimize(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, i))));
      else
        benchmark::DoNotOptimize(sqlite3_column_double(statement, i));
  sqlite3_finalize(statement);
  sqlite3_close(db);
}

void BarePages::page(report::Page page) {
  if (m_pageStarts.empty()) m_pageSize = page.size;
  m_pageStarts.push_back(m_items.size());
  for (const report::PageItem& item : page.items) {
    Item bare;
    bare.kind = item.kind;
    if (item.kind == report::PageItem::Kind::Line) {
      bare.x1 = item.line.x1();
      bare.y1 = item.line.y1();
      bare.x2 = item.line.x2();
      bare.y2 = item.line.y2();
    } else {
      item.rect.getCoords(&bare.x1, &bare.y1, &bare.x2, &bare.y2);
    }
    if (item.kind == report::PageItem::Kind::Text) {
      auto style = std::find(m_styles.begin(), m_styles.end(), item.style);
      if (style == m_styles.end()) style = m_styles.insert(style, item.style);
      bare.style = std::uint8_t(style - m_styles.begin());
      bare.textStart = std::uint32_t(m_texts.size());
      bare.length = std::uint32_t(item.text.size());
      m_texts += item.text;
    }
    m_items.push_back(bare);
  }
}

void BarePages::paint(const QString& path) const {
  QPdfWriter writer(path);
  writer.setResolution(1440);
  writer.setPageSize(report::pageSizeOf(m_pageSize));
  writer.setPageMargins(QMarginsF());
  QPainter painter(&writer);
  std::vector<QFont> fonts;
  std::vector<double> ascents;
  for (const report::TextStyle& style : m_styles) {
    fonts.push_back(report::twipsFont(style));
    ascents.push_back(QFontMetricsF(fonts.back()).ascent());
  }
  for (std::size_t p = 0; p < m_pageStarts.size(); ++p) {
    if (p > 0) writer.newPage();
    const std::size_t end = p + 1 < m_pageStarts.size() ? m_pageStarts[p + 1] : m_items.size();
    int style = -1;
    for (std::size_t i = m_pageStarts[p]; i < end; ++i) {
      const Item& item = m_items[i];
      if (item.kind == report::PageItem::Kind::Text) {
        if (item.style != style) {
          style = item.style;
          painter.setFont(fonts[style]);
        }
        painter.drawText(QPointF(item.x1, item.y1 + ascents[style]),
                         QString::fromRawData(m_texts.constData() + item.textStart, item.length));
      } else if (item.kind == report::PageItem::Kind::Line) {
        painter.drawLine(item.x1, item.y1, item.x2, item.y2);
      } else {
        QRect box;
        box.setCoords(item.x1, item.y1, item.x2, item.y2);
        painter.drawRect(box);
      }
    }
  }
}

namespace {

double cpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double median(std::vector<double> times) {
  if (times.empty()) return -1;
  std::sort(times.begin(), times.end());
  const std::size_t middle = times.size() / 2;
  return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
}

}  // namespace

void PairedTimes::add(const std::function<void()>& measure, const std::function<void()>& floor) {
  const double start = cpuMilliseconds();
  measure();
  const double middle = cpuMilliseconds();
  floor();
  m_measured.push_back(middle - start);
  m_floor.push_back(cpuMilliseconds() - middle);
}

double PairedTimes::measuredMedian() const { return median(m_measured); }

double PairedTimes::floorMedian() const { return median(m_floor); }

}  // namespace benchreport
