#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "platform/report/Page.h"

namespace benchreport {

// Reads every row of a query through bare SQLite, each text column as a QString, the others as
// numbers: the least a report reading the same rows must do.
void readBare(const QString& databasePath, const char* sql);

// Paints the pages into a PDF file with nothing but QPdfWriter and QPainter calls: each text at its
// baseline point, without alignment, wrapping or clipping, the font set only when the style
// changes; lines and boxes as they are. The least a report painting the same texts must do.
void paintBare(const report::Pages& pages, const QString& path);

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
