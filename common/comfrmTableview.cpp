#include "common/comfrmTableview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <cmath>

#include "platform/forms/FontDialog.h"
#include "platform/grid/GridEX.h"
#include "platform/runtime/Colors.h"

namespace {

// The system colour "button face": group rows shaded this way count as shaded.
constexpr quint32 kButtonFace = 0x8000000F;

}  // namespace

comfrmTableview::comfrmTableview(const grid::GridEX& Grid) : QDialog(nullptr) {
  setWindowTitle(QStringLiteral("Formatta"));
  const char* titles[] = {"Intestazioni di colonna", "Righe", "Linee"};
  for (int i = 0; i < 3; ++i) fraSet[i] = new QGroupBox(QString::fromUtf8(titles[i]), this);
  QGridLayout* frames[3];
  for (int i = 0; i < 3; ++i) frames[i] = new QGridLayout(fraSet[i]);
  for (int k = 0; k < 2; ++k) {
    cmdfont[k] = new QPushButton(QStringLiteral("Carattere..."), fraSet[k]);
    lblcurrfont[k] = new QLabel(fraSet[k]);
    lblcurrfont[k]->setMinimumWidth(220);
    frames[k]->addWidget(cmdfont[k], 0, 0);
    frames[k]->addWidget(lblcurrfont[k], 0, 1);
    connect(cmdfont[k], &QPushButton::clicked, this, [this, k] { chooseFont(k); });
  }
  chkAutoColSize = new QCheckBox(QStringLiteral("Dimensiona automaticamente le colonne"), fraSet[0]);
  frames[0]->addWidget(chkAutoColSize, 1, 0, 1, 2);
  chknewrow = new QCheckBox(QStringLiteral("Mostra la riga \"Nuovo\""), fraSet[1]);
  chkAllowed = new QCheckBox(QStringLiteral("Permetti modifiche"), fraSet[1]);
  chkAllowed->setChecked(true);
  frames[1]->addWidget(chknewrow, 1, 0, 1, 2);
  frames[1]->addWidget(chkAllowed, 2, 0, 1, 2);
  lblGridlines = new QLabel(QStringLiteral("Stile delle linee:"), fraSet[2]);
  cboGridlines = new QComboBox(fraSet[2]);
  cboGridlines->addItem(QStringLiteral("Senza linee"), -1);
  cboGridlines->addItem(QStringLiteral("Punti"), grid::LineDots);
  cboGridlines->addItem(QStringLiteral("Trattini"), grid::LineDashes);
  cboGridlines->addItem(QStringLiteral("Linee"), grid::LineSolid);
  chkgrouphead = new QCheckBox(QStringLiteral("Ombreggiatura gruppi"), fraSet[2]);
  frames[2]->addWidget(lblGridlines, 0, 0);
  frames[2]->addWidget(cboGridlines, 0, 1);
  frames[2]->addWidget(chkgrouphead, 1, 0, 1, 2);

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdCancel = new QPushButton(QStringLiteral("Annulla"), this);
  cmdOK->setDefault(true);
  cdlFont = new forms::FontDialog(this);
  auto* layout = new QGridLayout(this);
  for (int i = 0; i < 3; ++i) layout->addWidget(fraSet[i], i, 0, 1, 3);
  layout->setColumnStretch(0, 1);
  layout->addWidget(cmdOK, 3, 1);
  layout->addWidget(cmdCancel, 3, 2);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  // Edits not allowed: no new row either.
  connect(chkAllowed, &QCheckBox::toggled, this, [this](bool allowed) {
    chknewrow->setEnabled(allowed);
    if (!allowed) chknewrow->setChecked(false);
  });

  m_fonts = {Grid.headerFont(), Grid.gridFont()};
  m_colors = {Grid.headerForeColor(), Grid.foreColor()};
  showFonts();
  chknewrow->setChecked(Grid.newRowVisible());
  chkAllowed->setChecked(Grid.allowEdit());
  // Lines shown in a style no entry carries: no entry selected.
  int lineEntry = Grid.gridLines() ? -1 : 0;
  for (int i = 1; i < cboGridlines->count() && lineEntry < 0; ++i)
    if (cboGridlines->itemData(i).toInt() == Grid.gridLineStyle()) lineEntry = i;
  cboGridlines->setCurrentIndex(lineEntry);
  chkgrouphead->setChecked(Grid.groupHeaderBackColor() == kButtonFace);
  chkAutoColSize->setChecked(Grid.columnAutoResize());
}

void comfrmTableview::FormatGrid(grid::GridEX& Grid) {
  comfrmTableview form(Grid);
  if (form.exec() != QDialog::Accepted) return;
  Grid.setHeaderFont(form.m_fonts[0]);
  Grid.setGridFont(form.m_fonts[1]);
}

int comfrmTableview::previewPoints(double pointSize) { return static_cast<int>(std::nearbyint(pointSize)); }

// Each preview shows its font's face and effects in its colour, captioned with size and name.
void comfrmTableview::showFonts() {
  for (int k = 0; k < 2; ++k) {
    QFont look = lblcurrfont[k]->font();
    look.setFamily(m_fonts[k].family());
    look.setBold(m_fonts[k].bold());
    look.setItalic(m_fonts[k].italic());
    look.setUnderline(m_fonts[k].underline());
    look.setStrikeOut(m_fonts[k].strikeOut());
    lblcurrfont[k]->setFont(look);
    QPalette palette = lblcurrfont[k]->palette();
    palette.setColor(QPalette::WindowText, OleColor(m_colors[k]));
    lblcurrfont[k]->setPalette(palette);
    lblcurrfont[k]->setText(QString::number(previewPoints(m_fonts[k].pointSizeF())) + " pt. " +
                            m_fonts[k].family());
  }
}

// A cancelled font dialog changes nothing; the colour chosen tints only the preview.
void comfrmTableview::chooseFont(int k) {
  const auto choice = cdlFont->choose(m_fonts[k], m_colors[k]);
  if (!choice) return;
  m_fonts[k] = choice->font;
  m_colors[k] = choice->color;
  showFonts();
}
