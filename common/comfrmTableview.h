#pragma once

#include <QDialog>
#include <QFont>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace forms {
class FontDialog;
}
namespace grid {
class GridEX;
}

// The format dialog: shows how a grid is formatted and lets the user choose its column-header font
// and its row font, the only settings it writes back.
class comfrmTableview : public QDialog {
  Q_OBJECT

 public:
  // Fills a new dialog from the grid and shows it modally; on "OK" the grid takes the two fonts.
  static void FormatGrid(grid::GridEX& Grid);

  // The size shown in a font preview: the point size rounded to a whole number, halves to even.
  static int previewPoints(double pointSize);

  std::array<QGroupBox*, 3> fraSet;
  std::array<QPushButton*, 2> cmdfont;
  std::array<QLabel*, 2> lblcurrfont;
  QCheckBox* chkAutoColSize;
  QCheckBox* chknewrow;
  QCheckBox* chkAllowed;
  QLabel* lblGridlines;
  QComboBox* cboGridlines;
  QCheckBox* chkgrouphead;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  forms::FontDialog* cdlFont;

 private:
  explicit comfrmTableview(const grid::GridEX& Grid);
  void showFonts();
  void chooseFont(int k);

  // Element 0 the column headers', element 1 the rows'.
  std::array<QFont, 2> m_fonts;
  std::array<quint32, 2> m_colors{};
};
