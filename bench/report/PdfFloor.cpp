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

void paintBare(const report::Pages& pages, const QString& path) {
  QPdfWriter writer(path);
  writer.setResolution(1440);
  writer.setPageSize(report::pageSizeOf(pages.front().size));
  writer.setPageMargins(QMarginsF());
  QPainter painter(&writer);
  struct StyleFont {
    report::TextStyle style;
    QFont font;
    double ascent;
  };
  std::vector<StyleFont> fonts;
  for (size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) writer.newPage();
    const StyleFont* current = nullptr;
    for (const report::PageItem& item : pages[p].items) {
      if (item.kind == report::PageItem::Kind::Text) {
        if (!current || !(current->style == item.style)) {
          auto it = std::find_if(fonts.begin(), fonts.end(),
                                 [&item](const StyleFont& f) { return f.style == item.style; });
          if (it == fonts.end()) {
            const QFont font = report::twipsFont(item.style);
            it = fonts.insert(fonts.end(), {item.style, font, QFontMetricsF(font).ascent()});
          }
          painter.setFont(it->font);
          current = &*it;
        }
        painter.drawText(QPointF(item.rect.left(), item.rect.top() + current->ascent), item.text);
      } else if (item.kind == report::PageItem::Kind::Line) {
        painter.drawLine(item.line);
      } else {
        painter.drawRect(item.rect);
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
