// The main window's menus, and the node table with everything derived from it.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "core/Globals.h"
#include "app/Immagini.h"
#include "app/frmMain.h"
#include "platform/forms/ButtonBar.h"
#include "platform/forms/StatusBar.h"
#include "platform/runtime/DateTime.h"
#include "platform/runtime/Format.h"

namespace {

// The items of the Grid menu: caption, bit of the view's mask (0 for a separator) and whether the
// item shows in the menu.
struct VoceGriglia {
  const char* caption;
  int tag;
  bool visibile;
};
constexpr VoceGriglia kVociGriglia[] = {
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

void frmMain::creaMenu() {
  mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
  mnuFileNuovo = mnuFile->addAction(QStringLiteral("Nuovo"));
  mnuFileNuovo->setShortcut(QKeySequence(Qt::Key_F5));
  mnuFile->addSeparator();
  mnuFileNuovoSub = mnuFile->addMenu(QStringLiteral("Nuovo "));
  mnuFileApri = mnuFile->addAction(QStringLiteral("Apri"));
  mnuFileElimina = mnuFile->addAction(QStringLiteral("Elimina"));
  mnuFileElimina->setShortcut(QKeySequence(Qt::Key_Delete));
  mnuFile->addSeparator();
  mnuFileStampa = mnuFile->addAction(QStringLiteral("Stampa"));
  mnuFileStampa->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F12));
  mnuFile->addSeparator();
  mnuFileEsci = mnuFile->addAction(QStringLiteral("Esci"));
  connect(mnuFileNuovo, &QAction::triggered, this, [this] { ComandoNuovo(NodoCorrente); });
  connect(mnuFileApri, &QAction::triggered, this, &frmMain::ComandoApri);
  connect(mnuFileElimina, &QAction::triggered, this, &frmMain::ComandoElimina);
  connect(mnuFileStampa, &QAction::triggered, this, &frmMain::ComandoStampa);
  connect(mnuFileEsci, &QAction::triggered, this, &frmMain::ComandoEsci);

  mnuView = menuBar()->addMenu(QStringLiteral("&Visualizza"));

  mnuGrid = menuBar()->addMenu(QStringLiteral("&Griglia dati"));
  mnuGrid->menuAction()->setVisible(false);
  for (const VoceGriglia& voce : kVociGriglia) {
    QAction* item = voce.tag == 0 ? mnuGrid->addSeparator() : mnuGrid->addAction(QString::fromUtf8(voce.caption));
    if (voce.tag != 0) item->setData(voce.tag);
    item->setVisible(voce.visibile);
    mnuGridItem << item;
    if (voce.tag != 0) connect(item, &QAction::triggered, this, [this, item] { comandoGriglia(item); });
  }

  mnuDati = menuBar()->addMenu(QStringLiteral("&Dati"));
  mnuDatiTabelle = mnuDati->addAction(QStringLiteral("Tabelle"));
  connect(mnuDatiTabelle, &QAction::triggered, this, &frmMain::comandoDati);

  mnuHelp = menuBar()->addMenu(QStringLiteral("&?"));
  mnuHelpGuida = mnuHelp->addAction(QStringLiteral("&Guida in linea"));
  mnuHelp->addSeparator();
  mnuHelpInfo = mnuHelp->addAction(QStringLiteral("&Informazioni su"));
  connect(mnuHelpGuida, &QAction::triggered, this, &frmMain::comandoGuida);
  connect(mnuHelpInfo, &QAction::triggered, this, &frmMain::comandoInformazioni);
}

void frmMain::CreaNodi() {
  NodoCorrente = 0;
  setWindowTitle(AppTitle);
  lblTitle->setText(AppTitle);

  RiempiTabellaViste(Nodi);
  mnuFileEsci->setText(mnuFileEsci->text() + "\tALT+F4");
  riempiMenuViste(mnuView, mnuViewItem, false);
  riempiMenuViste(mnuFileNuovoSub, mnuNuovoItem, true);

  for (const QString& gruppo : Gruppi) bb->addGroup(gruppo);
  for (int i = 0; i < kNumNodi; ++i) {
    const int immagine = bb->addImage(ImmagineVista(Nodi[i].Codice()));
    bb->addItem(Nodi[i].GroupIndex() + 1, QString::number(i), Nodi[i].Descrizione(), immagine);
  }

  sb->setPanelText(pnlData, Format(Variant(Today()), QStringLiteral("ddd d mmm yy")));
}

void frmMain::riempiMenuViste(QMenu* menu, QList<QAction*>& items, bool nuovo) {
  int indice = 0;
  QAction* separatore = nullptr;
  for (std::int16_t nodiNelGruppo : NodiPerGruppo) {
    for (int n = 0; n < nodiNelGruppo; ++n, ++indice) {
      const cNodo& vista = Nodi[indice];
      QString caption = nuovo ? vista.DescrizioneNew() : vista.Descrizione();
      if (!vista.mnuViewShorCut().isEmpty())
        caption += (nuovo ? "\tCTRL+" : "\tCTRL+MAIUSC+") + vista.mnuViewShorCut();
      QAction* item = menu->addAction(caption);
      item->setData(indice);
      item->setCheckable(!nuovo);
      items << item;
      if (nuovo)
        connect(item, &QAction::triggered, this, [this, indice] { ComandoNuovo(indice); });
      else
        connect(item, &QAction::triggered, this, [this, indice] { mostraVista(indice); });
    }
    separatore = menu->addSeparator();
    items << separatore;
  }
  // The menus hold 39 items: the last separator and the items after it stay hidden.
  separatore->setVisible(false);
  while (items.size() < kNumVociMenuViste) {
    QAction* item = menu->addAction(QString());
    item->setVisible(false);
    items << item;
  }
}
