#include "reports/frmPrintReportArticoli.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "platform/db/JetSql.h"
#include "platform/forms/KeyPreview.h"
#include "platform/grid/GridEX.h"
#include "reports/arpArticoli.h"
#include "reports/comRepLib.h"

namespace {

const QString Tutte = QStringLiteral("(Tutte)");
const QString Tutti = QStringLiteral("(Tutti)");
const QString Titolo = QStringLiteral("Articoli");

}  // namespace

frmPrintReportArticoli::frmPrintReportArticoli()
    : PrintReportDialog(QStringLiteral("Stampa Articoli"), QStringLiteral("Numero etichette:")),
      frmFilter(new QGroupBox(QStringLiteral("Filtro"))),
      Label3(new QLabel(QStringLiteral("Categorie articoli:"))),
      cmbCat(new QComboBox),
      Label1(new QLabel(QStringLiteral("Codice Articolo:"))),
      cmbArt(new QComboBox),
      txtSkipLabels(new QLineEdit(QStringLiteral("0"))),
      UpDown2(new QScrollBar(Qt::Vertical)),
      m_report(std::make_unique<arpArticoli>()) {
  lbl[1] = new QLabel(QStringLiteral("Etichette da saltare:"));
  txtSkipLabels->setMaximumWidth(60);
  UpDown2->setRange(0, 999);
  UpDown2->setInvertedAppearance(true);
  UpDown2->setFixedHeight(txtSkipLabels->sizeHint().height());
  connect(UpDown2, &QScrollBar::valueChanged, this, [this](int value) { txtSkipLabels->setText(QString::number(value)); });
  keyPreview().setKeyFilter(txtSkipLabels, forms::DigitsOnly);
  for (QWidget* w : {static_cast<QWidget*>(cmbArt), static_cast<QWidget*>(Label1), static_cast<QWidget*>(lbl[1])})
    w->setEnabled(false);

  auto* filtro = new QGridLayout(frmFilter);
  filtro->addWidget(Label3, 0, 0);
  filtro->addWidget(cmbCat, 0, 1, 1, 3);
  filtro->addWidget(Label1, 1, 0);
  filtro->addWidget(cmbArt, 1, 1, 1, 3);
  filtro->addWidget(lbl[1], 2, 0);
  filtro->addWidget(txtSkipLabels, 2, 1);
  filtro->addWidget(UpDown2, 2, 2, Qt::AlignLeft);
  filtro->setColumnStretch(3, 1);
  addBelowList(frmFilter);
  connect(GridEX1, &grid::GridEX::rowColChange, this, [this] { AbilitaFiltri(); });
  Carica();
}

frmPrintReportArticoli::~frmPrintReportArticoli() = default;

void frmPrintReportArticoli::Carica() {
  cmbCat->addItem(Tutte);
  cmbArt->addItem(Tutti);
  addQueryRows({{cmbCat, QStringLiteral("SELECT Descrizione FROM Liste WHERE Chiave='cat' ORDER BY Descrizione")},
                {cmbArt, QStringLiteral("SELECT Codice FROM Articoli ORDER BY Codice")}});
  cmbArt->setCurrentIndex(0);
  cmbCat->setCurrentIndex(0);
}

void frmPrintReportArticoli::Stampa(const QString& Stampante) {
  fillPrintersAndList(Stampante, {{1, 1, QStringLiteral("Anagrafica articoli")}});
  AbilitaFiltri();
  show();
  raise();
  activateWindow();
}

void frmPrintReportArticoli::AbilitaFiltri() {
  const int kind = GridEX1->row() > 0 ? GridEX1->value(2).toInt() : 0;
  cmbCat->setEnabled(kind == 1);
  Label3->setEnabled(kind == 1);
  for (QWidget* w : {static_cast<QWidget*>(cmbArt), static_cast<QWidget*>(Label1), static_cast<QWidget*>(lbl[1]),
                     static_cast<QWidget*>(txtSkipLabels), static_cast<QWidget*>(UpDown2)})
    w->setEnabled(kind == 2);
  cmdExp->setEnabled(kind == 1);
}

report::Report* frmPrintReportArticoli::reportOf(int kind) { return kind == 1 ? m_report.get() : nullptr; }

// The category is matched as the description stored in the article, quoted by the data layer.
QString frmPrintReportArticoli::queryOf(int) {
  const QString categoria = cmbCat->currentText();
  const QString query = QStringLiteral("SELECT * From Articoli");
  return categoria == Tutte ? query : query + " WHERE Categoria=" + db::jetText(categoria);
}

void frmPrintReportArticoli::setLabels(int) {
  const QString categoria = cmbCat->currentText();
  static_cast<report::Label*>(m_report->control(QStringLiteral("lblTitle")))
      ->setCaption(categoria == Tutte ? Titolo : Titolo + " - Categoria: " + categoria);
}

void frmPrintReportArticoli::setExportMode(int, int output) { m_report->ModoExport = output == OutputExcel; }
