#include "platform/grid/ColumnFit.h"

#include <QComboBox>
#include <QHeaderView>
#include <QStyleOptionComboBox>
#include <QStyleOptionHeader>
#include <algorithm>

#include "platform/grid/GridEngine_p.h"
#include "platform/grid/GridView_p.h"
#include "platform/runtime/Twips.h"

namespace grid {
namespace {

int widestText(const QFontMetrics& metrics, const QStringList& texts) {
  int widest = 0;
  for (const QString& text : texts) widest = std::max(widest, metrics.horizontalAdvance(text));
  return widest;
}

}  // namespace

int headingWidth(const GridEX& grid, const QString& caption) {
  const GridEngine* e = GridEngine::of(&grid);
  const QHeaderView& header = *e->view->horizontalHeader();
  QStyleOptionHeader option;
  option.initFrom(&header);
  option.fontMetrics = QFontMetrics(e->headerFont);
  option.text = caption;
  option.sortIndicator = QStyleOptionHeader::SortDown;
  return PixelsToTwips(
      header.style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), &header).width());
}

int textCellWidth(const GridEX& grid, const QStringList& texts) {
  const GridEngine* e = GridEngine::of(&grid);
  // Item views keep a focus-frame margin and one pixel on each side of a cell's text; the grid line
  // takes one more.
  const int margin = e->view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, e->view) + 1;
  return PixelsToTwips(widestText(QFontMetrics(e->gridFont), texts) + 2 * margin + 1);
}

int listCellWidth(const GridEX& grid, const QStringList& texts) {
  const GridEngine* e = GridEngine::of(&grid);
  const QFontMetrics metrics(e->gridFont);
  QComboBox probe;
  probe.setFont(e->gridFont);
  QStyleOptionComboBox option;
  option.initFrom(&probe);
  const QSize text(widestText(metrics, texts), metrics.height());
  // The editor covers the cell less its grid line.
  return PixelsToTwips(probe.style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, &probe).width() +
                       1);
}

}  // namespace grid
