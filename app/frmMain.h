#pragma once

#include <QList>
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>

#include "app/TabellaViste.h"
#include "platform/runtime/Variant.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;

namespace forms {
class ButtonBar;
class StatusBar;
}
namespace grid {
class GridEX;
}

// The program's main window: the current view's list in a grid, the navigation bar, the menus and
// toolbar with the record commands, the find and filter boxes and the status bar. It lives from
// start-up to exit; closing it ends the program.
class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit frmMain(QWidget* parent = nullptr);
  ~frmMain() override;

  // Starts the window: printers, splash, node table, first view, then shows it.
  void Visualizza();
  // Re-selects the current view: filter box, title, menus, grid (layout and query), find box.
  void SetLay();

  // Status bar panels.
  enum Pannello { pnlDatabase = 0, pnlContatore = 1, pnlWorkData = 2, pnlData = 3, kNumPannelli = 4 };

  // Minimum time the start-up splash stays on screen, in ms.
  static void setDurataSplash(int ms);

  // Controls.
  QToolBar* tb;
  QAction* tbNuovo;
  QAction* tbApri;
  QAction* tbElimina;
  QAction* tbStampa;
  QWidget* picFind;
  QLabel* lblFind;
  QLineEdit* txtFind;
  QWidget* picFilter;
  QLabel* lblView;
  QComboBox* cmbFilter;
  forms::ButtonBar* bb;
  QFrame* picSep;
  QFrame* frmsep;
  QFrame* shpTitle;
  QLabel* imgTitle;
  QLabel* lblTitle;
  grid::GridEX* gexView;
  QWidget* picStart;
  forms::StatusBar* sb;

  // Menus. The New and View items carry their view index as data (the item's Tag); both menus hold
  // kNumVociMenuViste items, those after the last group hidden.
  static constexpr int kNumVociMenuViste = 39;
  QMenu* mnuFile;
  QAction* mnuFileNuovo;
  QMenu* mnuFileNuovoSub;
  QAction* mnuFileApri;
  QAction* mnuFileElimina;
  QAction* mnuFileStampa;
  QAction* mnuFileEsci;
  QList<QAction*> mnuNuovoItem;
  QMenu* mnuView;
  QList<QAction*> mnuViewItem;
  QMenu* mnuGrid;
  QList<QAction*> mnuGridItem;
  QMenu* mnuDati;
  QAction* mnuDatiTabelle;
  QMenu* mnuHelp;
  QAction* mnuHelpGuida;
  QAction* mnuHelpInfo;

  // The node table and the current view.
  TabellaNodi Nodi;
  std::int16_t NodoCorrente = -1;
  std::array<std::int16_t, kNumNodi> FiltroNodo{};

  bool LayoutDaDb = true;
  bool StampantiPresenti = true;

 signals:
  // The window was closed: the program ends.
  void scaricata();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  static void impostaSfondo(QWidget* widget, quint32 colore);
  static void impostaColoreTesto(QWidget* widget, quint32 colore);
  void creaControlli();
  // A panel of the toolbar: a caption and its box side by side.
  QWidget* pannelloBarra(QLabel* etichetta, QWidget* casella);
  void creaMenu();
  void CreaNodi();
  void riempiMenuViste(QMenu* menu, QList<QAction*>& items, bool nuovo);
  void CaricaGriglia();
  // Runs a grid or layout operation; a failure of the database or of the grid is shown, and the
  // grid stays usable.
  void suGriglia(const std::function<void()>& azione);
  void AbilitaComandi(bool Enabled);
  void LeggiStampanti();
  void Ridimensiona();
  void AggiornaTrova();
  void AggiornaOrdinamento();
  cNodo& nodo() { return Nodi[NodoCorrente]; }
  void mostraVista(int indice);
  // SetLay keeping the list on its record: the record saved when it belongs to the view with that
  // code and the view is current, else the record that was current, else the row in the same place
  // (the one that followed a record deleted).
  void reloadKeeping(const QString& viewCode = QString(), const Variant& savedKey = Variant());

  // Record commands.
  void ComandoNuovo(int Indice);
  void ComandoApri();
  void ComandoElimina();
  void ComandoStampa();
  void ComandoEsci();
  void comandoGriglia(QAction* item);
  void comandoDati();
  void comandoGuida();
  void comandoInformazioni();

  // Keyboard and find.
  void dopoIlTasto(std::function<void()> comando);
  void TastiRapidi(int keyCode, int shift);
  void gexViewKeyDown(int* keyCode, int shift);
  void gexViewKeyPress(int* keyAscii);
  void gexViewColumnHeaderClick(int column);
  bool txtFindKeyDown(int keyCode);
  bool cmbFilterKeyDown(int keyCode);
  void trova(const QString& testo);
  void apriFiltro();
};
