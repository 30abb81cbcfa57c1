#include "app/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <utility>

#include "app/Images.h"
#include "common/comfrmAbout.h"
#include "core/Globals.h"
#include "core/MainModule.h"
#include "core/MainWindowHooks.h"
#include "core/comGriglia.h"
#include "core/comRegistry.h"
#include "platform/db/DbError.h"
#include "platform/forms/ButtonBar.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/SharedInstance.h"
#include "platform/forms/StatusBar.h"
#include "platform/grid/GridEX.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Twips.h"
#include "platform/shell/Printers.h"

namespace {

int splashDuration = 3000;

// Sizes of the window's parts, in twips.
constexpr int kMinWidth = 9405;
constexpr int kMinHeight = 6600;
constexpr int kInitialWidth = 13500;
constexpr int kInitialHeight = 9000;
constexpr int kBarWidth = 1800;
constexpr int kTitleHeight = 540;
constexpr int kSeparatorHeight = 60;

}  // namespace

void frmMain::setBackground(QWidget* widget, quint32 color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, OleColor(color));
  palette.setColor(QPalette::Button, OleColor(color));
  palette.setColor(QPalette::Window, OleColor(color));
  widget->setPalette(palette);
}

void frmMain::setTextColor(QWidget* widget, quint32 color) {
  QPalette palette = widget->palette();
  // The role the widget draws its text with: a label on the toolbar takes the toolbar's.
  palette.setColor(widget->foregroundRole(), OleColor(color));
  widget->setPalette(palette);
}

void frmMain::setSplashDuration(int ms) { splashDuration = ms; }

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
  LayoutDaDb = initMainWindow();
  createControls();
  createMenus();
  nameControls();
  setMinimumSize(TwipsToPixels(kMinWidth), TwipsToPixels(kMinHeight));
  resize(TwipsToPixels(kInitialWidth), TwipsToPixels(kInitialHeight));
  // Centred from the start, so that a message shown before the window (no printer) is centred
  // where the window appears.
  QRect frame = frameGeometry();
  frame.moveCenter(screen()->availableGeometry().center());
  move(frame.topLeft());
  setWindowIcon(viewIcon(QStringLiteral("com")));
  // Windows without an owner (print dialogs, report previews, common dialogs) show it as well.
  QApplication::setWindowIcon(windowIcon());
  MainWindowHooks::registerMainWindow(
      this, [this](const QString& viewCode, const Variant& savedKey) { reloadKeeping(viewCode, savedKey); });
}

frmMain::~frmMain() {
  if (MainWindowHooks::mainWindow() == this) MainWindowHooks::unregisterMainWindow();
}

// Tests and tools find the controls by these names.
void frmMain::nameControls() {
  const std::pair<QObject*, const char*> controls[] = {
      {tb, "tb"},
      {tbNew, "tbNew"},
      {tbOpen, "tbOpen"},
      {tbDelete, "tbDelete"},
      {tbPrint, "tbPrint"},
      {picFind, "picFind"},
      {lblFind, "lblFind"},
      {txtFind, "txtFind"},
      {picFilter, "picFilter"},
      {lblView, "lblView"},
      {cmbFilter, "cmbFilter"},
      {bb, "bb"},
      {picSep, "picSep"},
      {frmsep, "frmsep"},
      {shpTitle, "shpTitle"},
      {imgTitle, "imgTitle"},
      {lblTitle, "lblTitle"},
      {gexView, "gexView"},
      {picStart, "picStart"},
      {sb, "sb"},
      {mnuFile, "mnuFile"},
      {mnuFileNew, "mnuFileNew"},
      {mnuFileNewSub, "mnuFileNewSub"},
      {mnuFileOpen, "mnuFileOpen"},
      {mnuFileDelete, "mnuFileDelete"},
      {mnuFilePrint, "mnuFilePrint"},
      {mnuFileExit, "mnuFileExit"},
      {mnuView, "mnuView"},
      {mnuGrid, "mnuGrid"},
      {mnuData, "mnuData"},
      {mnuDataTables, "mnuDataTables"},
      {mnuHelp, "mnuHelp"},
      {mnuHelpContents, "mnuHelpContents"},
      {mnuHelpInfo, "mnuHelpInfo"},
  };
  for (const auto& [control, name] : controls) control->setObjectName(QString::fromLatin1(name));
}

QWidget* frmMain::toolbarPanel(QLabel* label, QWidget* box) {
  auto* panel = new QWidget(tb);
  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->setContentsMargins(6, 0, 6, 0);
  panelLayout->addWidget(label);
  panelLayout->addWidget(box);
  panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  tb->addWidget(panel);
  return panel;
}

void frmMain::createControls() {
  auto* central = new QWidget(this);
  setCentralWidget(central);

  tb = new QToolBar(central);
  tb->setMovable(false);
  tb->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  tb->setIconSize(QSize(20, 20));
  tbNew = tb->addAction(commandIcon(Command::New), QStringLiteral("Nuovo"));
  tbOpen = tb->addAction(commandIcon(Command::Open), QStringLiteral("Apri"));
  tbOpen->setToolTip(QStringLiteral("Apre una registrazione esistente"));
  tbDelete = tb->addAction(commandIcon(Command::Delete), QStringLiteral("Elimina"));
  tbDelete->setToolTip(QStringLiteral("Elimina una registrazione esistente"));
  tb->addSeparator();
  tbPrint = tb->addAction(commandIcon(Command::Print), QStringLiteral("Stampa"));
  tbPrint->setToolTip(QStringLiteral("Stampa i Report della Visualizzazione attiva"));

  txtFind = new QLineEdit;
  txtFind->setToolTip(QStringLiteral("Inserire il testo da cercare"));
  txtFind->setFixedWidth(TwipsToPixels(1800));
  lblFind = new QLabel(QStringLiteral("Trova in "));
  picFind = toolbarPanel(lblFind, txtFind);
  tb->addSeparator();
  cmbFilter = new QComboBox;
  cmbFilter->setToolTip(QStringLiteral("Selezionare il filtro desiderato"));
  cmbFilter->setMinimumWidth(TwipsToPixels(2100));
  lblView = new QLabel(QStringLiteral("Visualizza.."));
  picFilter = toolbarPanel(lblView, cmbFilter);

  picSep = new QFrame(central);
  frmsep = new QFrame(picSep);
  frmsep->setFrameShape(QFrame::HLine);
  frmsep->setFrameShadow(QFrame::Sunken);

  bb = new forms::ButtonBar(central);

  shpTitle = new QFrame(central);
  shpTitle->setFrameShape(QFrame::StyledPanel);
  shpTitle->setBackgroundRole(QPalette::Dark);
  shpTitle->setAutoFillBackground(true);
  auto* title = new QHBoxLayout(shpTitle);
  title->setContentsMargins(8, 2, 8, 2);
  imgTitle = new QLabel(shpTitle);
  lblTitle = new QLabel(shpTitle);
  QFont titleFont = lblTitle->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
  lblTitle->setFont(titleFont);
  lblTitle->setForegroundRole(QPalette::BrightText);
  title->addWidget(imgTitle);
  title->addWidget(lblTitle, 1);

  gexView = new grid::GridEX(central);
  // The list is only read here: records change through their entry windows. A view whose layout
  // is missing must not become editable in place.
  gexView->setAllowEdit(false);
  gexView->setAllowAddNew(false);
  gexView->setAllowDelete(false);
  gexView->setFillWidth(true);
  picStart = new QWidget(central);
  picStart->setAutoFillBackground(true);
  setBackground(picStart, colors::vbInfoBackground);
  picStart->hide();

  sb = new forms::StatusBar(kPanelCount, central);
  sb->setSizeGripEnabled(false);

  connect(tbNew, &QAction::triggered, this, [this] { ComandoNuovo(NodoCorrente); });
  connect(tbOpen, &QAction::triggered, this, &frmMain::ComandoApri);
  connect(tbDelete, &QAction::triggered, this, &frmMain::ComandoElimina);
  connect(tbPrint, &QAction::triggered, this, &frmMain::ComandoStampa);
  connect(bb, &forms::ButtonBar::itemClicked, this,
          [this](int, const QString& key) { showView(key.toInt()); });
  connect(cmbFilter, &QComboBox::currentIndexChanged, this, [this](int position) {
    if (NodoCorrente < 0 || position < 0) return;
    FiltroNodo[NodoCorrente] = static_cast<std::int16_t>(position);
    CaricaGriglia();
  });
  connect(txtFind, &QLineEdit::textChanged, this, &frmMain::findText);
  connect(gexView, &grid::GridEX::dblClick, this, &frmMain::ComandoApri);
  connect(gexView, &grid::GridEX::keyDown, this, &frmMain::gexViewKeyDown);
  connect(gexView, &grid::GridEX::keyPress, this, &frmMain::gexViewKeyPress);
  connect(gexView, &grid::GridEX::columnHeaderClick, this, &frmMain::gexViewColumnHeaderClick);
  // One filter for the window's resizing, its key preview and the find and filter boxes.
  qApp->installEventFilter(this);
}

void frmMain::Visualizza() {
  LeggiStampanti();
  gexView->setConnectionString(ConnString);
  comfrmAbout& splash = forms::SharedInstance<comfrmAbout>::get();
  splash.SplashOn(this, splashDuration, DBPath);
  CreaNodi();
  SetLay();
  splash.SplashOff();
  show();
}

void frmMain::SetLay() {
  AbilitaComandi(NodoCorrente > -1);
  if (NodoCorrente > -1) {
    cNodo& view = currentView();
    {
      const QSignalBlocker blocker(cmbFilter);
      cmbFilter->clear();
      for (const cSubNodo& filter : view.SubNodi().NewEnum()) cmbFilter->addItem(filter.Descrizione());
      const bool hasFilters = view.SubNodi().Count() > 0;
      cmbFilter->setEnabled(hasFilters);
      setBackground(cmbFilter, hasFilters ? colors::vbWindowBackground : colors::vbButtonFace);
      setTextColor(lblView, hasFilters ? colors::vbButtonText : colors::vbButtonShadow);
      if (hasFilters) cmbFilter->setCurrentIndex(FiltroNodo[NodoCorrente]);
    }
    lblTitle->setText(view.Descrizione());
    imgTitle->setPixmap(viewIcon(view.Codice()).pixmap(24, 24));
    bb->setSelectedItem(view.GroupIndex() + 1, QString::number(NodoCorrente));
    for (QAction* item : mnuViewItem)
      if (!item->data().isNull()) item->setChecked(item->data().toInt() == NodoCorrente);
    for (QAction* item : mnuGridItem)
      if (!item->data().isNull()) item->setEnabled((item->data().toInt() & view.mnuGridEnable()) != 0);
    CaricaGriglia();
    {
      const QSignalBlocker blocker(txtFind);
      txtFind->clear();
    }
  }
  sb->setPanelText(pnlWorkDate, Format(Variant(DataLavoro), QStringLiteral("ddd d mmm yy")));
  sb->setPanelText(pnlDatabase, DBPath);
}

void frmMain::CaricaGriglia() {
  // Disabling the grid takes the focus away from it; a grid that had it gets it back.
  const QWidget* focused = QApplication::focusWidget();
  const bool gridHadFocus = focused && (focused == gexView || gexView->isAncestorOf(focused));
  gexView->setEnabled(false);
  guardGrid([this] {
    // The layout of the view is applied to an unbound grid: the previous view's query has none of
    // its columns.
    gexView->setRecordSource(QString());
    gexView->rebind();
    comGriglia::CaricaLayout(*gexView, ConnString, "gex_" + currentView().Codice(), LayoutDaDb, true);
    cSubNodi& filters = currentView().SubNodi();
    gexView->setRecordSource(filters.Count() == 0 ? currentView().SQLString()
                                                  : filters.Item(FiltroNodo[NodoCorrente] + 1).SQLString());
    gexView->rebind();
  });
  gexView->setEnabled(true);
  if (gridHadFocus) gexView->setFocus();
  // The layout brings its own sort keys: the find names and searches the column they sort by.
  AggiornaTrova();
}

void frmMain::guardGrid(const std::function<void()>& action) {
  try {
    action();
  } catch (const UserError& e) {
    forms::showError(e, this);
  }
}

void frmMain::AbilitaComandi(bool Enabled) {
  for (QAction* command : {mnuFileNew, mnuFileOpen, mnuFileDelete, tbNew, tbOpen, tbDelete})
    command->setEnabled(Enabled);
  mnuFilePrint->setEnabled(Enabled && StampantiPresenti);
  tbPrint->setEnabled(Enabled && StampantiPresenti);
  txtFind->setEnabled(Enabled);
  setBackground(txtFind, Enabled ? colors::vbWindowBackground : colors::vbButtonFace);
  setTextColor(lblFind, Enabled ? colors::vbButtonText : colors::vbButtonShadow);
  picStart->setVisible(!Enabled);
}

void frmMain::LeggiStampanti() {
  const QString message = QStringLiteral(
      "Nessuna stampante installata.\r\nInstallare almeno una stampante per utilizzare "
      "correttamente l'applicazione");
  StampantiPresenti = true;
  StampanteReport[1].clear();
  DriverReport[1].clear();
  const shell::PrinterList list = shell::installedPrinters();
  Stampanti.clear();
  Driver.clear();
  for (const shell::Printer& printer : list.printers) {
    if (printer.deviceName == list.defaultPrinter) {
      StampanteReport[1] = printer.deviceName;
      DriverReport[1] = printer.driverName;
    }
    Stampanti << printer.deviceName;
    Driver << printer.driverName;
  }
  NumStampanti = static_cast<std::int32_t>(Stampanti.size());
  if (StampanteReport[1].isEmpty()) {
    forms::MsgBox(message, forms::vbOKOnly, AppTitle, this);
    StampantiPresenti = false;
    return;
  }
  const QString defaultPrinter = StampanteReport[1];
  const QString defaultDriver = DriverReport[1];
  for (int slot = 1; slot <= 2; ++slot) {
    StampanteReport[slot] = LeggiRegistro(HKEY_CURRENT_USER, RegKeyPrinters, REG_SZ,
                                          Format(Variant(slot), QStringLiteral("000")), defaultPrinter)
                                .toString();
    DriverReport[slot] = LeggiRegistro(HKEY_CURRENT_USER, RegKeyPrinters, REG_SZ,
                                       Format(Variant(slot), QStringLiteral("\\D000")), defaultDriver)
                             .toString();
  }
}

void frmMain::Ridimensiona() {
  const QWidget* central = centralWidget();
  const int areaWidth = central->width();
  const int areaHeight = central->height();
  const int tbHeight = tb->sizeHint().height();
  const int sbHeight = sb->sizeHint().height();
  const int sepHeight = TwipsToPixels(kSeparatorHeight);
  const int titleHeight = TwipsToPixels(kTitleHeight);
  const int barWidth = TwipsToPixels(kBarWidth);

  tb->setGeometry(0, 0, areaWidth, tbHeight);
  picSep->setGeometry(0, tbHeight, areaWidth, sepHeight);
  frmsep->setGeometry(-TwipsToPixels(60), 0, areaWidth + TwipsToPixels(120), sepHeight);
  sb->setGeometry(0, areaHeight - sbHeight, areaWidth, sbHeight);
  bb->setGeometry(0, tbHeight + sepHeight, barWidth, areaHeight - tbHeight - sepHeight - sbHeight);

  const int T = tbHeight + titleHeight + sepHeight + TwipsToPixels(45);
  const int L = barWidth + TwipsToPixels(30);
  const int W = areaWidth - barWidth - TwipsToPixels(90);
  const int H = areaHeight - titleHeight - sbHeight - tbHeight - sepHeight - TwipsToPixels(45);
  shpTitle->setGeometry(L, tbHeight + sepHeight + TwipsToPixels(30), W, titleHeight);
  gexView->setGeometry(L, T, W, H);
  picStart->setGeometry(L, T, W, H);
}

void frmMain::AggiornaTrova() {
  QString sortedCaption;
  if (gexView->sortKeys().count() > 0)
    if (const grid::GridColumn* c = gexView->column(gexView->sortKeys().item(1).column))
      sortedCaption = c->caption();
  lblFind->setText("Trova in " + sortedCaption);
}

void frmMain::AggiornaOrdinamento() {
  for (int i = 1; i <= gexView->columnCount(); ++i)
    gexView->column(i)->setCellStyle(QStringLiteral("Default"));
  if (gexView->sortKeys().count() > 0)
    if (grid::GridColumn* c = gexView->column(gexView->sortKeys().item(1).column))
      c->setCellStyle(QStringLiteral("SortedCol"));
}

void frmMain::closeEvent(QCloseEvent* event) {
  event->accept();
  emit unloaded();
}
