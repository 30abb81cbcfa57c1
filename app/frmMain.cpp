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

#include "core/Globals.h"
#include "core/MainModule.h"
#include "core/MainWindowHooks.h"
#include "core/comGriglia.h"
#include "core/comRegistry.h"
#include "app/Immagini.h"
#include "common/comfrmAbout.h"
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

int durataSplash = 3000;

// Sizes of the window's parts, in twips.
constexpr int kLarghezzaMinima = 9405;
constexpr int kAltezzaMinima = 6600;
constexpr int kLarghezzaIniziale = 13500;
constexpr int kAltezzaIniziale = 9000;
constexpr int kLarghezzaBarra = 1800;
constexpr int kAltezzaTitolo = 540;
constexpr int kAltezzaSeparatore = 60;

}  // namespace

void frmMain::impostaSfondo(QWidget* widget, quint32 colore) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, OleColor(colore));
  palette.setColor(QPalette::Button, OleColor(colore));
  palette.setColor(QPalette::Window, OleColor(colore));
  widget->setPalette(palette);
}

void frmMain::impostaColoreTesto(QWidget* widget, quint32 colore) {
  QPalette palette = widget->palette();
  // The role the widget draws its text with: a label on the toolbar takes the toolbar's.
  palette.setColor(widget->foregroundRole(), OleColor(colore));
  widget->setPalette(palette);
}

void frmMain::setDurataSplash(int ms) { durataSplash = ms; }

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
  LayoutDaDb = InizializzaFinestraPrincipale();
  creaControlli();
  creaMenu();
  setMinimumSize(TwipsToPixels(kLarghezzaMinima), TwipsToPixels(kAltezzaMinima));
  resize(TwipsToPixels(kLarghezzaIniziale), TwipsToPixels(kAltezzaIniziale));
  // Centred from the start, so that a message shown before the window (no printer) is centred
  // where the window appears.
  QRect frame = frameGeometry();
  frame.moveCenter(screen()->availableGeometry().center());
  move(frame.topLeft());
  setWindowIcon(ImmagineVista(QStringLiteral("com")));
  MainWindowHooks::registerMainWindow(
      this, [this](const QString& viewCode, const Variant& savedKey) { reloadKeeping(viewCode, savedKey); });
}

frmMain::~frmMain() {
  if (MainWindowHooks::mainWindow() == this) MainWindowHooks::unregisterMainWindow();
}

QWidget* frmMain::pannelloBarra(QLabel* etichetta, QWidget* casella) {
  auto* pannello = new QWidget(tb);
  auto* righe = new QHBoxLayout(pannello);
  righe->setContentsMargins(6, 0, 6, 0);
  righe->addWidget(etichetta);
  righe->addWidget(casella);
  pannello->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  tb->addWidget(pannello);
  return pannello;
}

void frmMain::creaControlli() {
  auto* centro = new QWidget(this);
  setCentralWidget(centro);

  tb = new QToolBar(centro);
  tb->setMovable(false);
  tb->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  tb->setIconSize(QSize(20, 20));
  tbNuovo = tb->addAction(ImmagineComando(Comando::Nuovo), QStringLiteral("Nuovo"));
  tbApri = tb->addAction(ImmagineComando(Comando::Apri), QStringLiteral("Apri"));
  tbApri->setToolTip(QStringLiteral("Apre una registrazione esistente"));
  tbElimina = tb->addAction(ImmagineComando(Comando::Elimina), QStringLiteral("Elimina"));
  tbElimina->setToolTip(QStringLiteral("Elimina una registrazione esistente"));
  tb->addSeparator();
  tbStampa = tb->addAction(ImmagineComando(Comando::Stampa), QStringLiteral("Stampa"));
  tbStampa->setToolTip(QStringLiteral("Stampa i Report della Visualizzazione attiva"));

  txtFind = new QLineEdit;
  txtFind->setToolTip(QStringLiteral("Inserire il testo da cercare"));
  txtFind->setFixedWidth(TwipsToPixels(1800));
  lblFind = new QLabel(QStringLiteral("Trova in "));
  picFind = pannelloBarra(lblFind, txtFind);
  tb->addSeparator();
  cmbFilter = new QComboBox;
  cmbFilter->setToolTip(QStringLiteral("Selezionare il filtro desiderato"));
  cmbFilter->setMinimumWidth(TwipsToPixels(2100));
  lblView = new QLabel(QStringLiteral("Visualizza.."));
  picFilter = pannelloBarra(lblView, cmbFilter);

  picSep = new QFrame(centro);
  frmsep = new QFrame(picSep);
  frmsep->setFrameShape(QFrame::HLine);
  frmsep->setFrameShadow(QFrame::Sunken);

  bb = new forms::ButtonBar(centro);

  shpTitle = new QFrame(centro);
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

  gexView = new grid::GridEX(centro);
  // The list is only read here: records change through their entry windows. A view whose layout
  // is missing must not become editable in place.
  gexView->setAllowEdit(false);
  gexView->setAllowAddNew(false);
  gexView->setAllowDelete(false);
  gexView->setFillWidth(true);
  picStart = new QWidget(centro);
  picStart->setAutoFillBackground(true);
  impostaSfondo(picStart, colors::vbInfoBackground);
  picStart->hide();

  sb = new forms::StatusBar(kNumPannelli, centro);
  sb->setSizeGripEnabled(false);

  connect(tbNuovo, &QAction::triggered, this, [this] { ComandoNuovo(NodoCorrente); });
  connect(tbApri, &QAction::triggered, this, &frmMain::ComandoApri);
  connect(tbElimina, &QAction::triggered, this, &frmMain::ComandoElimina);
  connect(tbStampa, &QAction::triggered, this, &frmMain::ComandoStampa);
  connect(bb, &forms::ButtonBar::itemClicked, this,
          [this](int, const QString& key) { mostraVista(key.toInt()); });
  connect(cmbFilter, &QComboBox::currentIndexChanged, this, [this](int posizione) {
    if (NodoCorrente < 0 || posizione < 0) return;
    FiltroNodo[NodoCorrente] = static_cast<std::int16_t>(posizione);
    CaricaGriglia();
  });
  connect(txtFind, &QLineEdit::textChanged, this, &frmMain::trova);
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
  splash.SplashOn(this, durataSplash, DBPath);
  CreaNodi();
  SetLay();
  splash.SplashOff();
  show();
}

void frmMain::SetLay() {
  AbilitaComandi(NodoCorrente > -1);
  if (NodoCorrente > -1) {
    cNodo& vista = nodo();
    {
      const QSignalBlocker blocco(cmbFilter);
      cmbFilter->clear();
      for (const cSubNodo& filtro : vista.SubNodi().NewEnum()) cmbFilter->addItem(filtro.Descrizione());
      const bool conFiltri = vista.SubNodi().Count() > 0;
      cmbFilter->setEnabled(conFiltri);
      impostaSfondo(cmbFilter, conFiltri ? colors::vbWindowBackground : colors::vbButtonFace);
      impostaColoreTesto(lblView, conFiltri ? colors::vbButtonText : colors::vbButtonShadow);
      if (conFiltri) cmbFilter->setCurrentIndex(FiltroNodo[NodoCorrente]);
    }
    lblTitle->setText(vista.Descrizione());
    imgTitle->setPixmap(ImmagineVista(vista.Codice()).pixmap(24, 24));
    bb->setSelectedItem(vista.GroupIndex() + 1, QString::number(NodoCorrente));
    for (QAction* item : mnuViewItem)
      if (!item->data().isNull()) item->setChecked(item->data().toInt() == NodoCorrente);
    for (QAction* item : mnuGridItem)
      if (!item->data().isNull()) item->setEnabled((item->data().toInt() & vista.mnuGridEnable()) != 0);
    CaricaGriglia();
    {
      const QSignalBlocker blocco(txtFind);
      txtFind->clear();
    }
    AggiornaTrova();
  }
  sb->setPanelText(pnlWorkData, Format(Variant(DataLavoro), QStringLiteral("ddd d mmm yy")));
  sb->setPanelText(pnlDatabase, DBPath);
}

void frmMain::CaricaGriglia() {
  // Disabling the grid takes the focus away from it; a grid that had it gets it back.
  const QWidget* fuoco = QApplication::focusWidget();
  const bool grigliaConFuoco = fuoco && (fuoco == gexView || gexView->isAncestorOf(fuoco));
  gexView->setEnabled(false);
  suGriglia([this] {
    // The layout of the view is applied to an unbound grid: the previous view's query has none of
    // its columns.
    gexView->setRecordSource(QString());
    gexView->rebind();
    comGriglia::CaricaLayout(*gexView, ConnString, "gex_" + nodo().Codice(), LayoutDaDb, true);
    cSubNodi& filtri = nodo().SubNodi();
    gexView->setRecordSource(filtri.Count() == 0 ? nodo().SQLString()
                                                 : filtri.Item(FiltroNodo[NodoCorrente] + 1).SQLString());
    gexView->rebind();
  });
  gexView->setEnabled(true);
  if (grigliaConFuoco) gexView->setFocus();
}

void frmMain::suGriglia(const std::function<void()>& azione) {
  try {
    azione();
  } catch (const db::DbError& e) {
    forms::MsgBox(e.description(), forms::vbOKOnly | forms::vbExclamation, AppTitle, this);
  } catch (const grid::GridError& e) {
    forms::MsgBox(e.description(), forms::vbOKOnly | forms::vbExclamation, AppTitle, this);
  }
}

void frmMain::AbilitaComandi(bool Enabled) {
  for (QAction* comando : {mnuFileNuovo, mnuFileApri, mnuFileElimina, tbNuovo, tbApri, tbElimina})
    comando->setEnabled(Enabled);
  mnuFileStampa->setEnabled(Enabled && StampantiPresenti);
  tbStampa->setEnabled(Enabled && StampantiPresenti);
  txtFind->setEnabled(Enabled);
  impostaSfondo(txtFind, Enabled ? colors::vbWindowBackground : colors::vbButtonFace);
  impostaColoreTesto(lblFind, Enabled ? colors::vbButtonText : colors::vbButtonShadow);
  picStart->setVisible(!Enabled);
}

void frmMain::LeggiStampanti() {
  const QString messaggio = QStringLiteral(
      "Nessuna stampante installata.\r\nInstallare almeno una stampante per utilizzare "
      "correttamente l'applicazione");
  StampantiPresenti = true;
  StampanteReport[1].clear();
  DriverReport[1].clear();
  const shell::PrinterList elenco = shell::installedPrinters();
  Stampanti.clear();
  Driver.clear();
  for (const shell::Printer& stampante : elenco.printers) {
    if (stampante.deviceName == elenco.defaultPrinter) {
      StampanteReport[1] = stampante.deviceName;
      DriverReport[1] = stampante.driverName;
    }
    Stampanti << stampante.deviceName;
    Driver << stampante.driverName;
  }
  NumStampanti = static_cast<std::int32_t>(Stampanti.size());
  if (StampanteReport[1].isEmpty()) {
    forms::MsgBox(messaggio, forms::vbOKOnly, AppTitle, this);
    StampantiPresenti = false;
    return;
  }
  const QString predefinita = StampanteReport[1];
  const QString driverPredefinito = DriverReport[1];
  for (int slot = 1; slot <= 2; ++slot) {
    StampanteReport[slot] = LeggiRegistro(HKEY_CURRENT_USER, RegKeyPrinters, REG_SZ,
                                          Format(Variant(slot), QStringLiteral("000")), predefinita)
                                .toString();
    DriverReport[slot] = LeggiRegistro(HKEY_CURRENT_USER, RegKeyPrinters, REG_SZ,
                                       Format(Variant(slot), QStringLiteral("\\D000")), driverPredefinito)
                             .toString();
  }
}

void frmMain::Ridimensiona() {
  const QWidget* centro = centralWidget();
  const int larghezza = centro->width();
  const int altezza = centro->height();
  const int altezzaTb = tb->sizeHint().height();
  const int altezzaSb = sb->sizeHint().height();
  const int altezzaSep = TwipsToPixels(kAltezzaSeparatore);
  const int altezzaTitolo = TwipsToPixels(kAltezzaTitolo);
  const int larghezzaBarra = TwipsToPixels(kLarghezzaBarra);

  tb->setGeometry(0, 0, larghezza, altezzaTb);
  picSep->setGeometry(0, altezzaTb, larghezza, altezzaSep);
  frmsep->setGeometry(-TwipsToPixels(60), 0, larghezza + TwipsToPixels(120), altezzaSep);
  sb->setGeometry(0, altezza - altezzaSb, larghezza, altezzaSb);
  bb->setGeometry(0, altezzaTb + altezzaSep, larghezzaBarra, altezza - altezzaTb - altezzaSep - altezzaSb);

  const int T = altezzaTb + altezzaTitolo + altezzaSep + TwipsToPixels(45);
  const int L = larghezzaBarra + TwipsToPixels(30);
  const int W = larghezza - larghezzaBarra - TwipsToPixels(90);
  const int H = altezza - altezzaTitolo - altezzaSb - altezzaTb - altezzaSep - TwipsToPixels(45);
  shpTitle->setGeometry(L, altezzaTb + altezzaSep + TwipsToPixels(30), W, altezzaTitolo);
  gexView->setGeometry(L, T, W, H);
  picStart->setGeometry(L, T, W, H);
}

void frmMain::AggiornaTrova() {
  QString colonna;
  if (gexView->sortKeys().count() > 0)
    if (const grid::GridColumn* c = gexView->column(gexView->sortKeys().item(1).column)) colonna = c->caption();
  lblFind->setText("Trova in " + colonna);
}

void frmMain::AggiornaOrdinamento() {
  for (int i = 1; i <= gexView->columnCount(); ++i) gexView->column(i)->setCellStyle(QStringLiteral("Default"));
  if (gexView->sortKeys().count() > 0)
    if (grid::GridColumn* c = gexView->column(gexView->sortKeys().item(1).column))
      c->setCellStyle(QStringLiteral("SortedCol"));
}

void frmMain::closeEvent(QCloseEvent* event) {
  event->accept();
  emit scaricata();
}
