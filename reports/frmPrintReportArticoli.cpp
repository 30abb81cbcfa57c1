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

const QString AllCategories = QStringLiteral("(Tutte)");
const QString AllArticles = QStringLiteral("(Tutti)");
const QString Title = QStringLiteral("Articoli");

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
  connect(UpDown2, &QScrollBar::valueChanged, this,
          [this](int value) { txtSkipLabels->setText(QString::number(value)); });
  keyPreview().setKeyFilter(txtSkipLabels, forms::DigitsOnly);
  for (QWidget* w :
       {static_cast<QWidget*>(cmbArt), static_cast<QWidget*>(Label1), static_cast<QWidget*>(lbl[1])})
    w->setEnabled(false);

  auto* filterLayout = new QGridLayout(frmFilter);
  filterLayout->addWidget(Label3, 0, 0);
  filterLayout->addWidget(cmbCat, 0, 1, 1, 3);
  filterLayout->addWidget(Label1, 1, 0);
  filterLayout->addWidget(cmbArt, 1, 1, 1, 3);
  filterLayout->addWidget(lbl[1], 2, 0);
  filterLayout->addWidget(txtSkipLabels, 2, 1);
  filterLayout->addWidget(UpDown2, 2, 2, Qt::AlignLeft);
  filterLayout->setColumnStretch(3, 1);
  addBelowList(frmFilter);
  connect(GridEX1, &grid::GridEX::rowColChange, this, [this] { enableFilters(); });
  fillLists();
}

frmPrintReportArticoli::~frmPrintReportArticoli() = default;

void frmPrintReportArticoli::fillLists() {
  cmbCat->addItem(AllCategories);
  cmbArt->addItem(AllArticles);
  addQueryRows(
      {{cmbCat, QStringLiteral("SELECT Descrizione FROM Liste WHERE Chiave='cat' ORDER BY Descrizione")},
       {cmbArt, QStringLiteral("SELECT Codice FROM Articoli ORDER BY Codice")}});
  cmbArt->setCurrentIndex(0);
  cmbCat->setCurrentIndex(0);
}

void frmPrintReportArticoli::Stampa(const QString& printer) {
  fillPrintersAndList(printer, {{1, 1, QStringLiteral("Anagrafica articoli")}});
  enableFilters();
  showCentred();
}

void frmPrintReportArticoli::enableFilters() {
  const int kind = GridEX1->row() > 0 ? GridEX1->value(2).toInt() : 0;
  cmbCat->setEnabled(kind == 1);
  Label3->setEnabled(kind == 1);
  for (QWidget* w :
       {static_cast<QWidget*>(cmbArt), static_cast<QWidget*>(Label1), static_cast<QWidget*>(lbl[1]),
        static_cast<QWidget*>(txtSkipLabels), static_cast<QWidget*>(UpDown2)})
    w->setEnabled(kind == 2);
  cmdExp->setEnabled(kind == 1);
}

report::Report* frmPrintReportArticoli::reportOf(int kind) { return kind == 1 ? m_report.get() : nullptr; }

// The category is matched as the description stored in the article, quoted by the data layer.
QString frmPrintReportArticoli::queryOf(int) {
  const QString category = cmbCat->currentText();
  const QString query = QStringLiteral("SELECT * From Articoli");
  return category == AllCategories ? query : query + " WHERE Categoria=" + db::jetText(category);
}

void frmPrintReportArticoli::setLabels(int) {
  const QString category = cmbCat->currentText();
  m_report->controlAs<report::Label>(QStringLiteral("lblTitle"))
      .setCaption(category == AllCategories ? Title : Title + " - Categoria: " + category);
}

void frmPrintReportArticoli::setExportMode(int, int output) { m_report->ModoExport = output == OutputExcel; }
