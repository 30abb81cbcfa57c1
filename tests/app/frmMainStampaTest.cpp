// Print on the views that have reports opens the print dialog of the view on the default printer.
#include <QComboBox>

#include "platform/forms/SharedInstance.h"
#include "reports/frmPrintReportArticoli.h"
#include "reports/frmPrintReportClienti.h"
#include "reports/frmPrintReportFornitori.h"
#include "tests/app/FinestraProva.h"

namespace {

using StampaFinestra = FinestraProva;

template <class Dialog>
QString shownOnPrinter() {
  if (!forms::SharedInstance<Dialog>::loaded() || !forms::SharedInstance<Dialog>::get().isVisible()) return QString();
  Dialog& dialog = forms::SharedInstance<Dialog>::get();
  return dialog.windowTitle() + " " + dialog.cmbprinters->currentText();
}

TEST_F(StampaFinestra, PrintOpensTheListDialogOfTheViewAndNothingOnViewsWithoutReports) {
  Avvia();
  for (int vista : {5, 6, 7, 8, 9}) {
    MostraVista(vista);
    w->tbStampa->trigger();
  }
  EXPECT_FALSE(forms::SharedInstance<frmPrintReportClienti>::loaded() ||
               forms::SharedInstance<frmPrintReportFornitori>::loaded() ||
               forms::SharedInstance<frmPrintReportArticoli>::loaded());
  for (int vista : {4, 3, 2}) {
    MostraVista(vista);
    w->tbStampa->trigger();
  }
  EXPECT_EQ(shownOnPrinter<frmPrintReportClienti>(), "Stampa Clienti Ufficio");
  EXPECT_EQ(shownOnPrinter<frmPrintReportFornitori>(), "Stampa Fornitori Ufficio");
  EXPECT_EQ(shownOnPrinter<frmPrintReportArticoli>(), "Stampa Articoli Ufficio");
  // A second Print, from the menu, reaches the same dialog.
  MostraVista(4);
  w->mnuFileStampa->trigger();
  EXPECT_EQ(forms::SharedInstance<frmPrintReportClienti>::get().cmbprinters->count(), 4);
  EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join(QChar(0x7c)).toStdString();
  forms::SharedInstance<frmPrintReportClienti>::unload();
  forms::SharedInstance<frmPrintReportFornitori>::unload();
  forms::SharedInstance<frmPrintReportArticoli>::unload();
}

}  // namespace
