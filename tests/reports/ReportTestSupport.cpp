#include "tests/reports/ReportTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "core/Globals.h"
#include "platform/forms/SaveAsDialog.h"
#include "platform/report/ReportViewer.h"
#include "reports/frmPrintReportCom.h"

void ReportTest::SetUp() {
  FormTest::SetUp();
  testdb::exec(cn,
               "INSERT INTO CliFor (IdCliFor, Tipo, Nome) VALUES (1, 'Cliente', 'Bianchi Srl'), (2, "
               "'Cliente', 'D''Angelo Srl'), "
               "(3, 'Fornitore', 'Ferri Spa')");
  testdb::exec(
      cn, "INSERT INTO Impiegati (CodImp, Cognome, Nome) VALUES (1, 'Neri', 'Luca'), (2, 'Gialli', 'Anna')");
  testdb::exec(cn,
               "INSERT INTO Commesse (CodCom, IdCliente, DesCom, Responsabile, DataInizio, DataConPre, "
               "DataConsegna, DataFine, "
               "ScadenzaGaranzia, Chiusa, Consegnata, InGaranzia) VALUES "
               "('C001', 1, 'Impianto elettrico', 'Rossi', #01/07/08#, #02/01/08#, #02/10/08#, #03/05/08#, "
               "#02/10/09#, True, True, False), "
               "('C002', 2, 'Quadro di comando', 'Verdi', #04/01/08#, #06/30/08#, #05/02/08#, #07/01/08#, "
               "#05/02/09#, False, False, False), "
               "('C003', 99, 'Manutenzione', NULL, #05/01/08#, NULL, NULL, NULL, NULL, False, False, False)");
  testdb::exec(cn,
               "INSERT INTO CommessePre (IdVocePre, CodCom, Codice, Descrizione, UM, Tariffa, QPrev, "
               "Quantita, Prezzo) VALUES "
               "(1, 'C001', 'V01', 'Posa cavi', 'h', 30, 20, 20, 600), (2, 'C001', 'V02', 'Quadro', 'nr', "
               "400, 1, 1, 400), "
               "(3, 'C002', 'Q01', 'Cablaggio', 'h', 25, 2, 2, 50)");
  testdb::exec(cn,
               "INSERT INTO Costi (Classe, Tipo, CodCom, InEconomia, IdStima, Data, CodImp, Codice, "
               "Descrizione, UM, Quantita, "
               "CostoUnitario, Valore, PrezzoUnitario) VALUES "
               "(0, 0, 'C001', False, 1, #02/04/08#, 1, NULL, NULL, 'h', 10, 20, 200, 0), "
               "(0, 0, 'C001', True, 0, #02/05/08#, 2, NULL, NULL, 'h', 5, 10, 50, 24), "
               "(2, 0, 'C001', False, 2, #02/06/08#, 0, 'QD-1', 'Quadro da parete', 'nr', 3, 100, 300, 0), "
               "(0, 0, 'C002', False, 3, #04/02/08#, 1, NULL, NULL, 'h', 2, 20, 40, 0), "
               "(0, 0, 'C002', False, 3, #04/03/08#, 7, NULL, NULL, 'h', 3.25, 20, 65, 0), "
               "(2, 0, 'C002', True, 0, #04/04/08#, 0, 'CV-2', 'Cavo schermato', 'm', 12, 2, 24, 3), "
               "(3, 1, 'C002', False, 3, #04/05/08#, 0, NULL, 'Trasporto', 'nr', 1, 80, 80, 0), "
               "(3, 42, 'C002', False, 3, #04/06/08#, 0, NULL, 'Spesa misteriosa', 'nr', 1, 15, 15, 0)");
}

frmPrintReportCom* ReportTest::openDialog(const QString& jobCode) {
  auto* dialog = new frmPrintReportCom;
  dialog->Stampa(QString(), jobCode);
  activate(dialog);
  return dialog;
}

PrintSetup::PrintSetup() {
  Stampanti = {"Ufficio", "Magazzino"};
  NumStampanti = 2;
  forms::setSaveAsHandler([this](const forms::SaveAsRequest& request) {
    asked << request.defaultExt + " " + request.filter;
    return answer;
  });
}

PrintSetup::~PrintSetup() {
  forms::setSaveAsHandler(nullptr);
  Stampanti.clear();
  NumStampanti = 0;
}

QStringList items(const QComboBox* combo) {
  QStringList texts;
  for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
  return texts;
}

QStringList only(const QStringList& texts, const QStringList& wanted) {
  QStringList kept;
  for (const QString& t : texts)
    if (wanted.contains(t)) kept << t;
  return kept;
}

report::ReportViewer* preview(PrintReportDialog* dialog) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<report::ReportViewer*>(w)) w->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  click(dialog->cmdPreview);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* viewer = qobject_cast<report::ReportViewer*>(w); viewer && viewer->isVisible()) return viewer;
  ADD_FAILURE() << "no preview window opened";
  return nullptr;
}

void exportAs(PrintReportDialog* dialog, int mode) {
  click(dialog->cmdExp);
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->expmnu->isVisible(); }));
  QTest::mouseClick(dialog->expmnu, Qt::LeftButton, {},
                    dialog->expmnu->actionGeometry(dialog->mnuexp[mode]).center());
}

QStringList between(const QStringList& texts, const QString& from, const QString& to) {
  const int start = texts.indexOf(from);
  if (start < 0) return {};
  const int end = texts.indexOf(to, start + 1);
  return texts.mid(start, end < 0 ? -1 : end - start);
}
