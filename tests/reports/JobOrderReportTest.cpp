// The job-order report as the print dialog's preview shows it: dates by their flags, the economic
// summary, and the sub-reports refilled for each job order.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include "core/Globals.h"
#include "platform/report/ReportViewer.h"
#include "reports/arp_o_Com01.h"
#include "reports/comRepLib.h"
#include "reports/comfrmPrintProgress.h"
#include "reports/frmPrintReportCom.h"
#include "tests/reports/ReportTestSupport.h"

namespace {

class JobOrderReportTest : public ReportTest {};

TEST_F(JobOrderReportTest, DatesFollowTheirFlagsAndTheSummaryShowsTheWorkedExample) {
  testdb::exec(cn, "UPDATE Commesse SET Consegnata = True WHERE CodCom = 'C002'");
  frmPrintReportCom* dialog = openDialog();
  report::ReportViewer* viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  const QStringList texts = pageTexts(viewer->pages());

  // C001 is closed and delivered without warranty; C002 is delivered, not closed.
  const QStringList c001 = between(texts, "C001", "C002");
  EXPECT_EQ(between(c001, "07-01-2008", "Riepilogo dati economici"),
            (QStringList{"07-01-2008", "01-02-2008", "10-02-2008", "05-03-2008", "...."}));
  const QStringList c002 = between(texts, "C002", "C003");
  EXPECT_EQ(between(c002, "01-04-2008", "Riepilogo dati economici"),
            (QStringList{"01-04-2008", "30-06-2008", "02-05-2008", "....", "...."}));
  EXPECT_TRUE(c002.contains("D'Angelo Srl"));
  EXPECT_TRUE(texts.contains("Commesse"));

  // The eighteen amounts of the summary, the costs under "Totale Costi".
  EXPECT_EQ(
      between(c001, "Vendita", "Controllo Preventivo"),
      (QStringList{"Vendita",    "Totale Costi", "Manodopera", "Materiali", "Altri Costi", "Utile/Perdita",
                   "Preventivo", "1.000,00 ",    "500,00 ",    "200,00 ",   "300,00 ",     "0,00 ",
                   "500,00 ",    "In economia",  "120,00 ",    "50,00 ",    "50,00 ",      "0,00 ",
                   "0,00 ",      "70,00 ",       "Totale",     "1.120,00 ", "550,00 ",     "250,00 ",
                   "300,00 ",    "0,00 ",        "570,00 "}));
  // A job order with no rows prints zeros.
  const QStringList c003 = between(texts, "C003", "");
  EXPECT_EQ(c003.count("0,00 "), 18);

  // [B]: quote lines against the cost booked on each, and their totals.
  EXPECT_EQ(between(c001, "V01", "V02"),
            (QStringList{"V01", "Posa cavi", "30,00", "h", "20,00", "20,00", "600,00", "200,00", "400,00"}));
  const QStringList quoteTotals = between(c001, "V02", "").mid(9, 4);
  EXPECT_EQ(quoteTotals, (QStringList{"Totale", "1.000,00", "500,00", "500,00"}));
  // Every cost booked on the line counts, whoever booked it; an overrun shows a negative difference.
  EXPECT_EQ(between(c002, "Q01", "").mid(0, 9),
            (QStringList{"Q01", "Cablaggio", "25,00", "h", "2,00", "2,00", "50,00", "200,00", "-150,00"}));
}

TEST_F(JobOrderReportTest, TheTickedBoxesChooseTheSubReportsAndEachJobOrderGetsItsOwnRows) {
  // The code of the transport category is a code of another parameter group too; an other cost
  // booked without a category.
  testdb::exec(cn, "INSERT INTO _Pars (k01, l01, s01) VALUES ('altro', 1, 'Altro gruppo')");
  testdb::exec(cn,
               "INSERT INTO Costi (Classe, Tipo, CodCom, InEconomia, IdStima, Data, CodImp, Descrizione, UM, "
               "Quantita, CostoUnitario, Valore, PrezzoUnitario) VALUES "
               "(3, NULL, 'C002', True, 0, #04/07/08#, 0, 'Senza categoria', 'nr', 2, 5, 10, 0)");
  frmPrintReportCom* dialog = openDialog();
  click(dialog->chkView[1]);
  ASSERT_FALSE(dialog->chkView[1]->isChecked());
  report::ReportViewer* viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  QStringList texts = pageTexts(viewer->pages());
  EXPECT_EQ(texts.count("Riepilogo dati economici"), 3);
  for (const char* hidden :
       {"Controllo Preventivo", "Dettaglio Manodopera", "Dettaglio Materiali", "Dettaglio Altri Costi"})
    EXPECT_FALSE(texts.contains(hidden)) << hidden;
  EXPECT_TRUE(texts.contains("Impianto elettrico"));

  click(dialog->chkView[0]);
  for (int i = 2; i < 5; ++i) click(dialog->chkView[size_t(i)]);
  viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  texts = pageTexts(viewer->pages());
  EXPECT_FALSE(texts.contains("Riepilogo dati economici"));
  EXPECT_EQ(texts.count("Dettaglio Manodopera"), 3);

  const QStringList c001 = between(texts, "C001", "C002");
  EXPECT_EQ(between(c001, "Dettaglio Manodopera", "Dettaglio Materiali").mid(6),
            (QStringList{"05-02-2008", "Gialli Anna", "5,00", "50,00", "04-02-2008", "Neri Luca", "10,00",
                         "V01", "200,00"}));
  EXPECT_EQ(between(c001, "Dettaglio Materiali", "Dettaglio Altri Costi").mid(7),
            (QStringList{"06-02-2008", "QD-1", "Quadro da parete", "nr", "V02", "3,00", "300,00"}));
  EXPECT_FALSE(c001.contains("Cavo schermato"));
  EXPECT_FALSE(c001.contains("Trasporto"));

  const QStringList c002 = between(texts, "C002", "C003");
  // The labour row of the removed employee (3,25 hours) is left out.
  EXPECT_EQ(between(c002, "Dettaglio Manodopera", "Dettaglio Materiali").mid(6),
            (QStringList{"02-04-2008", "Neri Luca", "2,00", "Q01", "40,00"}));
  EXPECT_FALSE(c002.contains("3,25"));
  EXPECT_EQ(between(c002, "Dettaglio Materiali", "Dettaglio Altri Costi").mid(7),
            (QStringList{"04-04-2008", "CV-2", "Cavo schermato", "m", "12,00", "24,00"}));
  // Every other cost prints, those without a known category with an empty one; the transport row
  // prints once, with its cost category.
  EXPECT_EQ(between(c002, "Dettaglio Altri Costi", "").mid(8, 18),
            (QStringList{"07-04-2008", "Senza categoria", "nr", "2,00", "10,00", "06-04-2008",
                         "Spesa misteriosa", "nr", "Q01", "1,00", "15,00", "05-04-2008", "Trasporti",
                         "Trasporto", "nr", "Q01", "1,00", "80,00"}));
  EXPECT_EQ(c002.count("Trasporto"), 1);
  EXPECT_FALSE(texts.contains("Altro gruppo"));
  EXPECT_FALSE(between(texts, "C003", "").contains("Neri Luca"));
}

}  // namespace

namespace {

// The job-order report taking its time over each job order, as on a large database.
class SlowJobOrders : public arp_o_Com01 {
 protected:
  void Format(report::Section& section) override {
    arp_o_Com01::Format(section);
    if (section.type() == report::SectionType::Detail) QThread::msleep(120);
  }
};

TEST_F(JobOrderReportTest, TheProgressWindowIsPaintedFirstAndShowsThePagesMadeWhileTheRunGoesOn) {
  SlowJobOrders report;
  SetReportPrinter(report, QStringLiteral("Ufficio"));
  report.dc1.setConnectionString(ConnString);
  report.dc1.setSource(
      "SELECT Commesse.*, CliFor.Nome FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = "
      "CliFor.IdCliFor");
  // The progress window's lines each time the program gets to handle its events.
  QStringList seen;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&seen] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* progress = qobject_cast<comfrmPrintProgress*>(w); progress && progress->isVisible())
        seen << progress->lblPrintWhere->text() + " | " + progress->lblPercent->text();
  });
  watch.start(0);
  {
    const RunProgress progress(report, QStringLiteral("Anteprima del documento"));
    report.Run();
    EXPECT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.value(0), "Anteprima del documento | Paginazione in corso");
    EXPECT_TRUE(seen.contains("Anteprima del documento | Paginazione in corso: 1 pagina"))
        << seen.join("\n").toStdString();
  }
  watch.stop();
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(qobject_cast<comfrmPrintProgress*>(w));
}

TEST_F(JobOrderReportTest, ACostBeyondTheMoneyRangeStopsTheReportWithAMessageNamingItsJobOrder) {
  testdb::exec(
      cn,
      "INSERT INTO Costi (Classe, Tipo, CodCom, InEconomia, IdStima, Data, CodImp, Codice, Descrizione, UM, "
      "Quantita, CostoUnitario, Valore, PrezzoUnitario) VALUES "
      "(2, 0, 'C002', True, 0, #04/06/08#, 0, 'X-1', 'Enorme', 'nr', 1000000000, 1, 1000000000, 1000000000)");
  frmPrintReportCom* dialog = openDialog();
  click(dialog->cmdPreview);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("Errore nella lettura dei dati del report (commessa C002): "))
      << messages[0].toStdString();
}

}  // namespace
