// Print on the views that have reports opens the print dialog of the view on the default printer.
#include <QComboBox>
#include <QApplication>

#include "platform/forms/SharedInstance.h"
#include "reports/frmPrintReportArticoli.h"
#include "reports/frmPrintReportClienti.h"
#include "reports/frmPrintReportCom.h"
#include "reports/frmPrintReportFornitori.h"
#include "tests/app/FinestraProva.h"

namespace {

using StampaFinestra = FinestraProva;

int printDialogsShown() {
  int shown = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) shown += qobject_cast<PrintReportDialog*>(w) && w->isVisible();
  return shown;
}

template <class Dialog>
void expectShownOnTheDefaultPrinter(const QString& caption) {
  ASSERT_TRUE(forms::SharedInstance<Dialog>::loaded()) << caption.toStdString();
  Dialog& dialog = forms::SharedInstance<Dialog>::get();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.windowTitle(), caption);
  EXPECT_EQ(dialog.cmbprinters->currentText(), "Ufficio");
}

TEST_F(StampaFinestra, PrintOpensTheDialogOfTheViewAndNothingOnViewsWithoutReports) {
  Avvia();
  MostraVista(4);
  w->tbStampa->trigger();
  expectShownOnTheDefaultPrinter<frmPrintReportClienti>("Stampa Clienti");
  MostraVista(3);
  w->mnuFileStampa->trigger();
  expectShownOnTheDefaultPrinter<frmPrintReportFornitori>("Stampa Fornitori");
  MostraVista(2);
  w->tbStampa->trigger();
  expectShownOnTheDefaultPrinter<frmPrintReportArticoli>("Stampa Articoli");
  MostraVista(0);
  w->tbStampa->trigger();
  expectShownOnTheDefaultPrinter<frmPrintReportCom>(" Stampe Commesse");
  EXPECT_EQ(printDialogsShown(), 4);

  // A second Print reaches the same dialog, which lists the printers once more.
  MostraVista(4);
  w->tbStampa->trigger();
  EXPECT_EQ(forms::SharedInstance<frmPrintReportClienti>::get().cmbprinters->count(), 4);
  for (int vista : {5, 6, 7, 8, 9}) {
    MostraVista(vista);
    w->tbStampa->trigger();
  }
  EXPECT_EQ(printDialogsShown(), 4);
  EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join(QChar(0x7c)).toStdString();

  forms::SharedInstance<frmPrintReportClienti>::unload();
  forms::SharedInstance<frmPrintReportFornitori>::unload();
  forms::SharedInstance<frmPrintReportArticoli>::unload();
  forms::SharedInstance<frmPrintReportCom>::unload();
}

}  // namespace
