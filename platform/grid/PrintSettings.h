#pragma once

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QString>
#include <array>

#include "platform/grid/GridTypes.h"

namespace grid {

// How a grid prints: page header and footer texts by position (left, centre, right), paper,
// orientation, margins in twips, and whether the column headers repeat on every page.
class PrintSettings {
 public:
  PrintSettings();

  QString headerText(int position) const;  // PrintLeft, PrintCenter, PrintRight
  void setHeaderText(int position, const QString& text);
  QString footerText(int position) const;
  void setFooterText(int position, const QString& text);

  QFont headerFooterFont() const { return m_headerFooterFont; }
  void setHeaderFooterFont(const QFont& font) { m_headerFooterFont = font; }

  QPageSize::PageSizeId paperSize() const { return m_paperSize; }
  void setPaperSize(QPageSize::PageSizeId size) { m_paperSize = size; }

  QPageLayout::Orientation orientation() const { return m_orientation; }
  void setOrientation(QPageLayout::Orientation orientation) { m_orientation = orientation; }

  // Margins in twips.
  int marginLeft() const { return m_margins[0]; }
  int marginTop() const { return m_margins[1]; }
  int marginRight() const { return m_margins[2]; }
  int marginBottom() const { return m_margins[3]; }
  void setMargins(int left, int top, int right, int bottom) { m_margins = {left, top, right, bottom}; }
  void setMarginRight(int twips) { m_margins[2] = twips; }
  void setMarginBottom(int twips) { m_margins[3] = twips; }

  // Paper tray and print resolution in dots per inch (0: the printer's own).
  QPrinter::PaperSource paperSource() const { return m_paperSource; }
  void setPaperSource(QPrinter::PaperSource source) { m_paperSource = source; }
  int printResolution() const { return m_printResolution; }
  void setPrintResolution(int dpi) { m_printResolution = dpi; }

  bool repeatHeaders() const { return m_repeatHeaders; }
  void setRepeatHeaders(bool repeat) { m_repeatHeaders = repeat; }

  bool operator==(const PrintSettings&) const = default;

 private:
  std::array<QString, 3> m_header;
  std::array<QString, 3> m_footer;
  QFont m_headerFooterFont;
  QPageSize::PageSizeId m_paperSize = QPageSize::A4;
  QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
  std::array<int, 4> m_margins{1000, 1000, 1000, 1000};
  QPrinter::PaperSource m_paperSource = QPrinter::Auto;
  int m_printResolution = 0;
  bool m_repeatHeaders = true;
};

}  // namespace grid
