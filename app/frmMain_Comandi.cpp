// The main window's record commands and the commands of its Grid, Data and Help menus.
#include <QAction>
#include <QApplication>
#include <algorithm>

#include "app/DeletionRules.h"
#include "app/frmMain.h"
#include "common/comfrmAbout.h"
#include "common/comfrmGroupBy.h"
#include "common/comfrmManData.h"
#include "common/comfrmShowfields.h"
#include "common/comfrmSort.h"
#include "common/comfrmTableview.h"
#include "core/Globals.h"
#include "core/comGriglia.h"
#include "jobs/frm_io_Com_Edit.h"
#include "jobs/frm_io_Com_New.h"
#include "jobs/frm_io_Costi.h"
#include "jobs/frm_io_PrevModelli.h"
#include "jobs/frm_io_PrevModelli_New.h"
#include "masterdata/OpenMasterDataForm.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/SharedInstance.h"
#include "platform/grid/GridEX.h"
#include "platform/shell/Desktop.h"
#include "platform/shell/Printers.h"
#include "reports/frmPrintReportArticoli.h"
#include "reports/frmPrintReportClienti.h"
#include "reports/frmPrintReportCom.h"
#include "reports/frmPrintReportFornitori.h"

namespace {

// The windows the user has open besides the main one (menus, tooltips and the like excluded).
// Windows kept loaded but hidden after closing, like a job order's summary, do not count.
int otherOpenWindowCount(const QWidget* main) {
  int count = 0;
  for (const QWidget* w : QApplication::topLevelWidgets())
    if (w != main && w->isVisible() && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog))
      ++count;
  return count;
}

}  // namespace

void frmMain::showView(int index) {
  NodoCorrente = static_cast<std::int16_t>(index);
  SetLay();
  gexView->setFocus();
}

// New and Open create a fresh entry window per command; a view whose window the program does not
// have yet opens nothing.
void frmMain::ComandoNuovo(int Indice) {
  if (Indice < 0 || Indice >= kNodeCount) return;
  if (Nodi[Indice].Codice() == QLatin1String("com"))
    (new frm_io_Com_New)->Nuovo();
  else if (Nodi[Indice].Codice() == QLatin1String("adi"))
    (new frm_io_PrevModelli_New)->Nuovo();
  else if (Nodi[Indice].Codice() == QLatin1String("rpu"))
    forms::SharedInstance<frm_io_Costi>::get().Apri(DataLavoro);
  else
    OpenMasterDataForm(Nodi[Indice].Codice());
}

void frmMain::ComandoApri() {
  if (gexView->rowCount() == 0 || gexView->row() <= 0 || gexView->isGroupRow()) return;
  if (currentView().Codice() == QLatin1String("com"))
    (new frm_io_Com_Edit)->Apri(gexView->value(1).toString());
  else if (currentView().Codice() == QLatin1String("adi"))
    (new frm_io_PrevModelli)->Apri(gexView->value(1).toInt());
  else if (currentView().Codice() == QLatin1String("rpu"))
    // The cost view's rows are days: the single cost window opens on the row's day.
    forms::SharedInstance<frm_io_Costi>::get().Apri(gexView->value(1).toDate());
  else
    OpenMasterDataForm(currentView().Codice(), gexView->value(1));
}

void frmMain::ComandoElimina() {
  if (gexView->recordCount() == 0 || gexView->row() <= 0 || gexView->isGroupRow()) return;
  // A row without a key (a cost row without a date) names no record to delete.
  if (gexView->value(1).isNull()) return;
  const auto rule =
      ruleFor(currentView().Codice(), {gexView->value(1), gexView->value(3), gexView->value(4)});
  if (!rule) return;
  if (runDeletion(*rule, ConnString, this) == DeletionOutcome::Done) reloadKeeping();
}

void frmMain::reloadKeeping(const QString& viewCode, const Variant& savedKey) {
  const int row = gexView->row();
  const Variant current = row > 0 && !gexView->isGroupRow() ? gexView->value(1) : Variant();
  SetLay();
  if (NodoCorrente < 0 || gexView->rowCount() == 0) return;
  const bool savedHere = !viewCode.isEmpty() && viewCode == currentView().Codice() && !savedKey.isEmpty();
  if (savedHere && gexView->find(1, grid::FindEqual, savedKey)) return;
  if (!current.isEmpty() && gexView->find(1, grid::FindEqual, current)) return;
  if (row > 0) gexView->setRow(std::min(row, gexView->rowCount()));
}

void frmMain::ComandoStampa() {
  if (gexView->recordCount() == 0) return;
  const QString code = currentView().Codice();
  const QString printer = shell::installedPrinters().defaultPrinter;
  if (code == "com" || code == "rpu")
    forms::SharedInstance<frmPrintReportCom>::get().Stampa(printer, QString());
  else if (code == "art")
    forms::SharedInstance<frmPrintReportArticoli>::get().Stampa(printer);
  else if (code == "for")
    forms::SharedInstance<frmPrintReportFornitori>::get().Stampa(printer);
  else if (code == "cli")
    forms::SharedInstance<frmPrintReportClienti>::get().Stampa(printer);
}

void frmMain::ComandoEsci() { close(); }

void frmMain::gridCommand(QAction* item) {
  const QString name = "gex_" + currentView().Codice();
  guardGrid([&] {
    switch (item->data().toInt()) {
      case 1: comfrmShowfields::ShowFields(*gexView); break;
      case 2: comfrmSort::SortGrid(*gexView); break;
      case 4: comfrmGroupBy::GroupGrid(*gexView); break;
      case 8: comfrmTableview::FormatGrid(*gexView); break;
      case 16: comGriglia::CaricaLayoutFile(*gexView, ConnString, name); break;
      case 32: comGriglia::SalvaLayout(*gexView, ConnString, name); break;
      default: break;
    }
  });
  AggiornaTrova();
}

// The table browser edits any table: only while no other data window is open.
void frmMain::dataCommand() {
  if (otherOpenWindowCount(this) > 0) {
    forms::MsgBox(QStringLiteral("Chiudere prima tutte le schede dati."), forms::vbOKOnly, AppTitle, this);
    return;
  }
  comfrmManData tabelle(this);
  tabelle.exec();
}

// Without the help file or a program that shows it, the user is told instead of nothing happening.
void frmMain::helpCommand() {
  if (shell::openHelp(HelpFile)) return;
  forms::MsgBox("Impossibile aprire la guida in linea \"" + HelpFile +
                    "\".\r\nVerificare che il file sia presente e che sia installato un programma per "
                    "la lettura dei file della guida (.chm).",
                forms::vbOKOnly | forms::vbExclamation, AppTitle, this);
}

void frmMain::aboutCommand() { forms::SharedInstance<comfrmAbout>::get().About(this, QString()); }
