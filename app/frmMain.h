#pragma once

#include <QList>
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>

#include "app/ViewTable.h"
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
}  // namespace forms
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
  enum Panel { pnlDatabase = 0, pnlCounter = 1, pnlWorkDate = 2, pnlDate = 3, kPanelCount = 4 };

  // Minimum time the start-up splash stays on screen, in ms.
  static void setSplashDuration(int ms);

  // The view table's entry for a view index, for callers that adjust a view before showing it.
  cNodo& node(int index) { return Nodi[index]; }

 signals:
  // The window was closed: the program ends.
  void unloaded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Controls, each named after its member (objectName).
  QToolBar* tb;
  QAction* tbNew;
  QAction* tbOpen;
  QAction* tbDelete;
  QAction* tbPrint;
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
  // kViewMenuItemCount items, those after the last group hidden.
  static constexpr int kViewMenuItemCount = 39;
  QMenu* mnuFile;
  QAction* mnuFileNew;
  QMenu* mnuFileNewSub;
  QAction* mnuFileOpen;
  QAction* mnuFileDelete;
  QAction* mnuFilePrint;
  QAction* mnuFileExit;
  QList<QAction*> mnuNewItem;
  QMenu* mnuView;
  QList<QAction*> mnuViewItem;
  QMenu* mnuGrid;
  QList<QAction*> mnuGridItem;
  QMenu* mnuData;
  QAction* mnuDataTables;
  QMenu* mnuHelp;
  QAction* mnuHelpContents;
  QAction* mnuHelpInfo;

  // The node table and the current view.
  NodeTable Nodi;
  std::int16_t NodoCorrente = -1;
  std::array<std::int16_t, kNodeCount> FiltroNodo{};

  bool LayoutDaDb = true;
  bool StampantiPresenti = true;

  static void setBackground(QWidget* widget, quint32 color);
  static void setTextColor(QWidget* widget, quint32 color);
  void createControls();
  void nameControls();
  // A panel of the toolbar: a caption and its box side by side.
  QWidget* toolbarPanel(QLabel* label, QWidget* box);
  void createMenus();
  void CreaNodi();
  void fillViewMenu(QMenu* menu, QList<QAction*>& items, bool forNew);
  void CaricaGriglia();
  // Runs a grid or layout operation; a failure of the database or of the grid is shown, and the
  // grid stays usable.
  void guardGrid(const std::function<void()>& action);
  void AbilitaComandi(bool Enabled);
  void LeggiStampanti();
  void Ridimensiona();
  void AggiornaTrova();
  void AggiornaOrdinamento();
  cNodo& currentView() { return Nodi[NodoCorrente]; }
  void showView(int index);
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
  void gridCommand(QAction* item);
  void dataCommand();
  void helpCommand();
  void aboutCommand();

  // Keyboard and find.
  void afterKey(std::function<void()> command);
  void TastiRapidi(int keyCode, int shift);
  void gexViewKeyDown(int* keyCode, int shift);
  void gexViewKeyPress(int* keyAscii);
  void gexViewColumnHeaderClick(int column);
  bool txtFindKeyDown(int keyCode);
  bool cmbFilterKeyDown(int keyCode);
  void findText(const QString& text);
  void openFilter();
};
