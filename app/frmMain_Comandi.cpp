// The main window's record commands and the commands of its Grid, Data and Help menus.
#include <QAction>
#include <QApplication>
#include <algorithm>

#include "core/Globals.h"
#include "core/comGriglia.h"
#include "app/RegoleEliminazione.h"
#include "app/frmMain.h"
#include "common/comfrmAbout.h"
#include "common/comfrmGroupBy.h"
#include "common/comfrmManData.h"
#include "common/comfrmShowfields.h"
#include "common/comfrmSort.h"
#include "common/comfrmTableview.h"
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

// The windows the program has loaded, shown or hidden (menus, tooltips and the like excluded).
int FinestreCaricate() {
  int conteggio = 0;
  for (const QWidget* w : QApplication::topLevelWidgets())
    if (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog) ++conteggio;
  return conteggio;
}

}  // namespace

void frmMain::mostraVista(int indice) {
  NodoCorrente = static_cast<std::int16_t>(indice);
  SetLay();
  gexView->setFocus();
}

// New and Open create a fresh entry window per command; a view whose window the program does not
// have yet opens nothing.
void frmMain::ComandoNuovo(int Indice) {
  if (Indice < 0 || Indice >= kNumNodi) return;
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
  if (nodo().Codice() == QLatin1String("com"))
    (new frm_io_Com_Edit)->Apri(gexView->value(1).toString());
  else if (nodo().Codice() == QLatin1String("adi"))
    (new frm_io_PrevModelli)->Apri(gexView->value(1).toInt());
  else if (nodo().Codice() == QLatin1String("rpu"))
    // The cost view's rows are days: the single cost window opens on the row's day.
    forms::SharedInstance<frm_io_Costi>::get().Apri(gexView->value(1).toDate());
  else
    OpenMasterDataForm(nodo().Codice(), gexView->value(1));
}

void frmMain::ComandoElimina() {
  if (gexView->recordCount() == 0 || gexView->row() <= 0 || gexView->isGroupRow()) return;
  // A row without a key (a cost row without a date) names no record to delete.
  if (gexView->value(1).isNull()) return;
  const auto regola = RegolaPer(nodo().Codice(), {gexView->value(1), gexView->value(3), gexView->value(4)});
  if (!regola) return;
  if (EseguiEliminazione(*regola, ConnString, this) == EsitoEliminazione::Eseguita) reloadKeeping();
}

void frmMain::reloadKeeping(const QString& viewCode, const Variant& savedKey) {
  const int row = gexView->row();
  const Variant current = row > 0 && !gexView->isGroupRow() ? gexView->value(1) : Variant();
  SetLay();
  if (NodoCorrente < 0 || gexView->rowCount() == 0) return;
  const bool savedHere = !viewCode.isEmpty() && viewCode == nodo().Codice() && !savedKey.isEmpty();
  if (savedHere && gexView->find(1, grid::FindEqual, savedKey)) return;
  if (!current.isEmpty() && gexView->find(1, grid::FindEqual, current)) return;
  if (row > 0) gexView->setRow(std::min(row, gexView->rowCount()));
}

void frmMain::ComandoStampa() {
  if (gexView->recordCount() == 0) return;
  const QString codice = nodo().Codice();
  const QString stampante = shell::installedPrinters().defaultPrinter;
  if (codice == "com" || codice == "rpu") forms::SharedInstance<frmPrintReportCom>::get().Stampa(stampante, QString());
  else if (codice == "art") forms::SharedInstance<frmPrintReportArticoli>::get().Stampa(stampante);
  else if (codice == "for") forms::SharedInstance<frmPrintReportFornitori>::get().Stampa(stampante);
  else if (codice == "cli") forms::SharedInstance<frmPrintReportClienti>::get().Stampa(stampante);
}

void frmMain::ComandoEsci() { close(); }

void frmMain::comandoGriglia(QAction* item) {
  const QString nome = "gex_" + nodo().Codice();
  suGriglia([&] {
    switch (item->data().toInt()) {
      case 1: comfrmShowfields::ShowFields(*gexView); break;
      case 2: comfrmSort::SortGrid(*gexView); break;
      case 4: comfrmGroupBy::GroupGrid(*gexView); break;
      case 8: comfrmTableview::FormatGrid(*gexView); break;
      case 16: comGriglia::CaricaLayoutFile(*gexView, ConnString, nome); break;
      case 32: comGriglia::SalvaLayout(*gexView, ConnString, nome); break;
      default: break;
    }
  });
  AggiornaTrova();
}

// The table browser edits any table: only while no other data window is open.
void frmMain::comandoDati() {
  if (FinestreCaricate() > 2) {
    forms::MsgBox(QStringLiteral("Chiudere prima tutte le schede dati."), forms::vbOKOnly, AppTitle, this);
    return;
  }
  comfrmManData tabelle(this);
  tabelle.exec();
}

// Without the help file or a program that shows it, the user is told instead of nothing happening.
void frmMain::comandoGuida() {
  if (shell::openHelp(HelpFile)) return;
  forms::MsgBox("Impossibile aprire la guida in linea \"" + HelpFile +
                    "\".\r\nVerificare che il file sia presente e che sia installato un programma per "
                    "la lettura dei file della guida (.chm).",
                forms::vbOKOnly | forms::vbExclamation, AppTitle, this);
}

void frmMain::comandoInformazioni() { forms::SharedInstance<comfrmAbout>::get().About(this, QString()); }
