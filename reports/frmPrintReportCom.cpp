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

const QString Tutte = QStringLiteral("(Tutte)");
const QString Aperte = QStringLiteral("(Aperte)");
const QString Chiuse = QStringLiteral("(Chiuse)");
const QString Tutti = QStringLiteral("(Tutti)");

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
  const QString caselle[] = {QStringLiteral("[A] Riepilogo dati economici "), QStringLiteral("[B] Controllo Preventivo "),
                             QStringLiteral("[C] Dettaglio Manodopera"), QStringLiteral("[D] Dettaglio Materiali "),
                             QStringLiteral("[E] Dettaglio Altri Costi")};
  auto* visualizza = new QVBoxLayout(Frame1);
  for (size_t i = 0; i < chkView.size(); ++i) {
    chkView[i] = new QCheckBox(caselle[i]);
    chkView[i]->setChecked(i < 2);
    visualizza->addWidget(chkView[i]);
  }
  auto* filtro = new QGridLayout(frmFilter);
  filtro->addWidget(Label4, 0, 0);
  filtro->addWidget(cmbFor, 0, 1, 1, 3);
  filtro->addWidget(Label3, 1, 0);
  filtro->addWidget(cmbCat, 1, 1, 1, 3);
  filtro->addWidget(Label1, 2, 0);
  filtro->addWidget(Dat1, 2, 1);
  filtro->addWidget(Label2, 2, 2, Qt::AlignRight);
  filtro->addWidget(Dat2, 2, 3);
  addBesideList(Frame1);
  addBelowList(frmFilter);
  Carica();
}

frmPrintReportCom::~frmPrintReportCom() = default;

void frmPrintReportCom::Carica() {
  cmbFor->addItems({Tutte, Aperte, Chiuse});
  cmbCat->addItem(Tutti);
  addQueryRows({{cmbFor, QStringLiteral("SELECT CodCom FROM Commesse ORDER BY CodCom")},
                {cmbCat, QStringLiteral("SELECT Nome FROM CliFor WHERE Tipo='Cliente' ORDER BY Nome")}});
  cmbFor->setCurrentIndex(0);
  cmbCat->setCurrentIndex(0);
  Dat1->setValue(Variant(QDate(AnnoLavoro, 1, 1)));
  Dat2->setValue(Variant(DataLavoro));
  m_Output = 0;
}

void frmPrintReportCom::Stampa(const QString& Stampante, const QString& CodCom) {
  m_CodCom = CodCom;
  fillPrintersAndList(Stampante, {{1, 1, QStringLiteral("Dati Commessa")}});
  if (!m_CodCom.isEmpty()) {
    const int riga = cmbFor->findText(m_CodCom);
    if (riga >= 0) cmbFor->setCurrentIndex(riga);
  }
  show();
  raise();
  activateWindow();
}

QString frmPrintReportCom::CreaFiltro(const QString& F, const QString& C) {
  QString stato;
  if (F == Chiuse) stato = QStringLiteral("Chiusa=True");
  else if (F == Aperte) stato = QStringLiteral("Chiusa=False");
  else if (F != Tutte) stato = "CodCom=" + db::jetText(F);
  QStringList condizioni;
  if (C != Tutti) condizioni << "Nome=" + db::jetText(C);
  if (!stato.isEmpty()) condizioni << stato;
  return condizioni.isEmpty() ? QString() : " WHERE " + condizioni.join(QStringLiteral(" AND "));
}

report::Report* frmPrintReportCom::reportOf(int kind) { return kind == 1 ? m_report.get() : nullptr; }

QString frmPrintReportCom::queryOf(int) {
  return QStringLiteral("SELECT Commesse.*, CliFor.Nome FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = CliFor.IdCliFor") +
         CreaFiltro(cmbFor->currentText(), cmbCat->currentText());
}

void frmPrintReportCom::setLabels(int) {
  static_cast<report::Label*>(m_report->control(QStringLiteral("lblTitle")))->setCaption(QStringLiteral("Commesse"));
  static_cast<report::Label*>(m_report->control(QStringLiteral("lblFilter")))
      ->setCaption("Commesse selezionate: " + cmbFor->currentText() + " - Clienti selezionati: " + cmbCat->currentText());
}

void frmPrintReportCom::setSubReports(int) {
  for (int i = 0; i < arp_o_Com01::NumSottoReport; ++i)
    m_report->SubReport(i + 1)->setVisible(chkView[size_t(i)]->isChecked());
}

void frmPrintReportCom::setExportMode(int, int output) { m_report->ModoExport = output == OutputExcel; }
