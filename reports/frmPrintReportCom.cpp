#include "reports/frmPrintReportCom.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "core/Globals.h"
#include "platform/db/JetSql.h"
#include "platform/forms/DatePicker.h"
#include "reports/arp_o_Com01.h"
#include "reports/comRepLib.h"

namespace {

const QString AllJobs = QStringLiteral("(Tutte)");
const QString OpenJobs = QStringLiteral("(Aperte)");
const QString ClosedJobs = QStringLiteral("(Chiuse)");
const QString AllCustomers = QStringLiteral("(Tutti)");

}  // namespace

frmPrintReportCom::frmPrintReportCom()
    : PrintReportDialog(QStringLiteral(" Stampe Commesse"), QStringLiteral("Numero copie:")),
      Frame1(new QGroupBox(QStringLiteral("Visualizza"))),
      frmFilter(new QGroupBox(QStringLiteral("Filtro"))),
      Label4(new QLabel(QStringLiteral("Commesse:"))),
      cmbFor(new QComboBox),
      Label3(new QLabel(QStringLiteral("Clienti:"))),
      cmbCat(new QComboBox),
      Label1(new QLabel(QStringLiteral("Attiva dal:"))),
      Dat1(new forms::DatePicker),
      Label2(new QLabel(QStringLiteral("al"))),
      Dat2(new forms::DatePicker),
      m_report(std::make_unique<arp_o_Com01>()) {
  const QString checkCaptions[] = {
      QStringLiteral("[A] Riepilogo dati economici "), QStringLiteral("[B] Controllo Preventivo "),
      QStringLiteral("[C] Dettaglio Manodopera"), QStringLiteral("[D] Dettaglio Materiali "),
      QStringLiteral("[E] Dettaglio Altri Costi")};
  auto* viewLayout = new QVBoxLayout(Frame1);
  for (size_t i = 0; i < chkView.size(); ++i) {
    chkView[i] = new QCheckBox(checkCaptions[i]);
    chkView[i]->setChecked(i < 2);
    viewLayout->addWidget(chkView[i]);
  }
  auto* filterLayout = new QGridLayout(frmFilter);
  filterLayout->addWidget(Label4, 0, 0);
  filterLayout->addWidget(cmbFor, 0, 1, 1, 3);
  filterLayout->addWidget(Label3, 1, 0);
  filterLayout->addWidget(cmbCat, 1, 1, 1, 3);
  filterLayout->addWidget(Label1, 2, 0);
  filterLayout->addWidget(Dat1, 2, 1);
  filterLayout->addWidget(Label2, 2, 2, Qt::AlignRight);
  filterLayout->addWidget(Dat2, 2, 3);
  addBesideList(Frame1);
  addBelowList(frmFilter);
  fillLists();
}

frmPrintReportCom::~frmPrintReportCom() = default;

void frmPrintReportCom::fillLists() {
  cmbFor->addItems({AllJobs, OpenJobs, ClosedJobs});
  cmbCat->addItem(AllCustomers);
  addQueryRows({{cmbFor, QStringLiteral("SELECT CodCom FROM Commesse ORDER BY CodCom")},
                {cmbCat, QStringLiteral("SELECT Nome FROM CliFor WHERE Tipo='Cliente' ORDER BY Nome")}});
  cmbFor->setCurrentIndex(0);
  cmbCat->setCurrentIndex(0);
  Dat1->setValue(Variant(QDate(AnnoLavoro, 1, 1)));
  Dat2->setValue(Variant(DataLavoro));
  m_Output = 0;
}

void frmPrintReportCom::Stampa(const QString& printer, const QString& CodCom) {
  m_CodCom = CodCom;
  fillPrintersAndList(printer, {{1, 1, QStringLiteral("Dati Commessa")}});
  if (!m_CodCom.isEmpty()) {
    const int index = cmbFor->findText(m_CodCom);
    if (index >= 0) cmbFor->setCurrentIndex(index);
  }
  showCentred();
}

QString frmPrintReportCom::CreaFiltro(const QString& F, const QString& C) {
  QString jobCondition;
  if (F == ClosedJobs)
    jobCondition = QStringLiteral("Chiusa=True");
  else if (F == OpenJobs)
    jobCondition = QStringLiteral("Chiusa=False");
  else if (F != AllJobs)
    jobCondition = "CodCom=" + db::jetText(F);
  QStringList conditions;
  if (C != AllCustomers) conditions << "Nome=" + db::jetText(C);
  if (!jobCondition.isEmpty()) conditions << jobCondition;
  return conditions.isEmpty() ? QString() : " WHERE " + conditions.join(QStringLiteral(" AND "));
}

report::Report* frmPrintReportCom::reportOf(int kind) { return kind == 1 ? m_report.get() : nullptr; }

QString frmPrintReportCom::queryOf(int) {
  return QStringLiteral(
             "SELECT Commesse.*, CliFor.Nome FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = "
             "CliFor.IdCliFor") +
         CreaFiltro(cmbFor->currentText(), cmbCat->currentText());
}

void frmPrintReportCom::setLabels(int) {
  m_report->controlAs<report::Label>(QStringLiteral("lblTitle")).setCaption(QStringLiteral("Commesse"));
  m_report->controlAs<report::Label>(QStringLiteral("lblFilter"))
      .setCaption("Commesse selezionate: " + cmbFor->currentText() +
                  " - Clienti selezionati: " + cmbCat->currentText());
}

void frmPrintReportCom::setSubReports(int) {
  for (int i = 0; i < arp_o_Com01::SubReportCount; ++i)
    m_report->SubReport(i + 1)->setVisible(chkView[size_t(i)]->isChecked());
}

void frmPrintReportCom::setExportMode(int, int output) { m_report->ModoExport = output == OutputExcel; }
