// The main window's menus, and the node table with everything derived from it.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "app/Images.h"
#include "app/frmMain.h"
#include "core/Globals.h"
#include "platform/forms/ButtonBar.h"
#include "platform/forms/StatusBar.h"
#include "platform/runtime/DateTime.h"
#include "platform/runtime/Format.h"

namespace {

// The items of the Grid menu: caption, bit of the view's mask (0 for a separator) and whether the
// item shows in the menu.
struct GridMenuEntry {
  const char* caption;
  int tag;
  bool visible;
};
constexpr GridMenuEntry kGridMenuEntries[] = {
    {"Raggruppa per &Casella", 512, false},
    {"-", 0, true},
    {"&Espandi tutto", 128, false},
    {"&Collassa tutto", 256, false},
    {"-", 0, true},
    {"&Campi", 1, true},
    {"&Ordina", 2, false},
    {"&Raggruppa", 4, false},
    {"&Formato", 8, true},
    {"-", 0, true},
    {"&Predefinito", 16, true},
    {"&Salva Layout", 32, false},
    {"-", 0, true},
    {"S&tampa", 64, false},
};

}  // namespace

void frmMain::createMenus() {
  mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
  mnuFileNew = mnuFile->addAction(QStringLiteral("Nuovo"));
  mnuFileNew->setShortcut(QKeySequence(Qt::Key_F5));
  mnuFile->addSeparator();
  mnuFileNewSub = mnuFile->addMenu(QStringLiteral("Nuovo "));
  mnuFileOpen = mnuFile->addAction(QStringLiteral("Apri"));
  mnuFileDelete = mnuFile->addAction(QStringLiteral("Elimina"));
  mnuFileDelete->setShortcut(QKeySequence(Qt::Key_Delete));
  mnuFile->addSeparator();
  mnuFilePrint = mnuFile->addAction(QStringLiteral("Stampa"));
  mnuFilePrint->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F12));
  mnuFile->addSeparator();
  mnuFileExit = mnuFile->addAction(QStringLiteral("Esci"));
  connect(mnuFileNew, &QAction::triggered, this, [this] { ComandoNuovo(NodoCorrente); });
  connect(mnuFileOpen, &QAction::triggered, this, &frmMain::ComandoApri);
  connect(mnuFileDelete, &QAction::triggered, this, &frmMain::ComandoElimina);
  connect(mnuFilePrint, &QAction::triggered, this, &frmMain::ComandoStampa);
  connect(mnuFileExit, &QAction::triggered, this, &frmMain::ComandoEsci);

  mnuView = menuBar()->addMenu(QStringLiteral("&Visualizza"));

  mnuGrid = menuBar()->addMenu(QStringLiteral("&Griglia dati"));
  mnuGrid->menuAction()->setVisible(false);
  for (const GridMenuEntry& entry : kGridMenuEntries) {
    QAction* item =
        entry.tag == 0 ? mnuGrid->addSeparator() : mnuGrid->addAction(QString::fromUtf8(entry.caption));
    if (entry.tag != 0) item->setData(entry.tag);
    item->setVisible(entry.visible);
    mnuGridItem << item;
    if (entry.tag != 0) connect(item, &QAction::triggered, this, [this, item] { gridCommand(item); });
  }

  mnuData = menuBar()->addMenu(QStringLiteral("&Dati"));
  mnuDataTables = mnuData->addAction(QStringLiteral("Tabelle"));
  connect(mnuDataTables, &QAction::triggered, this, &frmMain::dataCommand);

  mnuHelp = menuBar()->addMenu(QStringLiteral("&?"));
  mnuHelpContents = mnuHelp->addAction(QStringLiteral("&Guida in linea"));
  mnuHelp->addSeparator();
  mnuHelpInfo = mnuHelp->addAction(QStringLiteral("&Informazioni su"));
  connect(mnuHelpContents, &QAction::triggered, this, &frmMain::helpCommand);
  connect(mnuHelpInfo, &QAction::triggered, this, &frmMain::aboutCommand);
}

void frmMain::CreaNodi() {
  NodoCorrente = 0;
  setWindowTitle(AppTitle);
  lblTitle->setText(AppTitle);

  fillViewTable(Nodi);
  mnuFileExit->setText(mnuFileExit->text() + "\tALT+F4");
  fillViewMenu(mnuView, mnuViewItem, false);
  fillViewMenu(mnuFileNewSub, mnuNewItem, true);

  for (const QString& group : Gruppi) bb->addGroup(group);
  for (int i = 0; i < kNodeCount; ++i) {
    const int immagine = bb->addImage(viewIcon(Nodi[i].Codice()));
    bb->addItem(Nodi[i].GroupIndex() + 1, QString::number(i), Nodi[i].Descrizione(), immagine);
  }

  sb->setPanelText(pnlDate, Format(Variant(Today()), QStringLiteral("ddd d mmm yy")));
}

void frmMain::fillViewMenu(QMenu* menu, QList<QAction*>& items, bool forNew) {
  int index = 0;
  QAction* separator = nullptr;
  for (std::int16_t nodesInGroup : NodiPerGruppo) {
    for (int n = 0; n < nodesInGroup; ++n, ++index) {
      const cNodo& view = Nodi[index];
      QString caption = forNew ? view.DescrizioneNew() : view.Descrizione();
      if (!view.mnuViewShorCut().isEmpty())
        caption += (forNew ? "\tCTRL+" : "\tCTRL+MAIUSC+") + view.mnuViewShorCut();
      QAction* item = menu->addAction(caption);
      item->setData(index);
      item->setCheckable(!forNew);
      items << item;
      if (forNew)
        connect(item, &QAction::triggered, this, [this, index] { ComandoNuovo(index); });
      else
        connect(item, &QAction::triggered, this, [this, index] { showView(index); });
    }
    separator = menu->addSeparator();
    items << separator;
  }
  // The menus hold 39 items: the last separator and the items after it stay hidden.
  separator->setVisible(false);
  while (items.size() < kViewMenuItemCount) {
    QAction* item = menu->addAction(QString());
    item->setVisible(false);
    items << item;
  }
}
