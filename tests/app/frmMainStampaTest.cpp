// Print on the views that have reports opens the print dialog of the view on the default printer.
#include <QComboBox>

#include "platform/forms/SharedInstance.h"
#include "reports/frmPrintReportArticoli.h"
#include "reports/frmPrintReportClienti.h"
#include "reports/frmPrintReportFornitori.h"
#include "tests/app/MainWindowFixture.h"

namespace {

using StampaFinestra = MainWindowFixture;

template <class Dialog>
QString shownOnPrinter() {
  if (!forms::SharedInstance<Dialog>::loaded() || !forms::SharedInstance<Dialog>::get().isVisible())
    return QString();
  Dialog& dialog = forms::SharedInstance<Dialog>::get();
  return dialog.windowTitle() + " " + dialog.cmbprinters->currentText();
}

TEST_F(StampaFinestra, PrintOpensTheListDialogOfTheViewAndNothingOnViewsWithoutReports) {
  start();
  for (int view : {5, 6, 7, 8, 9}) {
    showView(view);
    control<QAction>("tbPrint")->trigger();
  }
  EXPECT_FALSE(forms::SharedInstance<frmPrintReportClienti>::loaded() ||
               forms::SharedInstance<frmPrintReportFornitori>::loaded() ||
               forms::SharedInstance<frmPrintReportArticoli>::loaded());
  for (int view : {4, 3, 2}) {
    showView(view);
    control<QAction>("tbPrint")->trigger();
  }
  EXPECT_EQ(shownOnPrinter<frmPrintReportClienti>(), "Stampa Clienti Ufficio");
  EXPECT_EQ(shownOnPrinter<frmPrintReportFornitori>(), "Stampa Fornitori Ufficio");
  EXPECT_EQ(shownOnPrinter<frmPrintReportArticoli>(), "Stampa Articoli Ufficio");
  // A second Print, from the menu, reaches the same dialog.
  showView(4);
  control<QAction>("mnuFilePrint")->trigger();
  EXPECT_EQ(forms::SharedInstance<frmPrintReportClienti>::get().cmbprinters->count(), 4);
  EXPECT_TRUE(messages().isEmpty()) << messages().join(QChar(0x7c)).toStdString();
  forms::SharedInstance<frmPrintReportClienti>::unload();
  forms::SharedInstance<frmPrintReportFornitori>::unload();
  forms::SharedInstance<frmPrintReportArticoli>::unload();
}

}  // namespace
