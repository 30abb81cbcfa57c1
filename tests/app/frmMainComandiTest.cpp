#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include "common/comfrmAbout.h"
#include "common/comfrmManData.h"
#include "common/comfrmShowfields.h"
#include "common/comfrmSort.h"
#include "core/Globals.h"
#include "core/comRegistry.h"
#include "jobs/frm_io_Com_Edit.h"
#include "jobs/frm_io_Com_New.h"
#include "jobs/frm_io_Com_Prev.h"
#include "jobs/frm_show_ComData.h"
#include "masterdata/frm_io_Clienti.h"
#include "platform/forms/SharedInstance.h"
#include "platform/grid/GridEX.h"
#include "platform/shell/HelpViewer.h"
#include "reports/frmPrintReportCom.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/app/TestData.h"
#include "tests/common/ChmViewer.h"
#include "tests/support/LinkDesktop.h"

namespace {

using MainWindowCommands = MainWindowFixture;

const QString kNoPrinter =
    "Nessuna stampante installata.\r\nInstallare almeno una stampante per utilizzare correttamente "
    "l'applicazione";

TEST_F(MainWindowCommands, DeleteFromTheGridAsksThenDeletesAndRereadsTheView) {
  start();
  showView(4);
  ASSERT_TRUE(selectRow("Nome", Variant("D'Angelo Luca")));
  answer = forms::vbNo;
  pressKey(gexView()->view(), Qt::Key_Delete);
  EXPECT_EQ(messages(), QStringList{"Eliminare il Cliente selezionato?"});
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CliFor WHERE IdCliFor=3"), 1);

  answer = forms::vbYes;
  pressKey(txtFind(), Qt::Key_D);
  ASSERT_EQ(currentValue("Nome"), Variant("D'Angelo Luca"));
  pressKey(gexView()->view(), Qt::Key_Delete);
  EXPECT_EQ(messages().size(), 2);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CliFor WHERE IdCliFor=3"), 0);
  EXPECT_EQ(gexView()->recordCount(), 2);
  EXPECT_TRUE(txtFind()->text().isEmpty());

  // A customer with job orders is refused from the toolbar as well.
  ASSERT_TRUE(selectRow("Nome", Variant("Rossi Mario")));
  control<QAction>("tbDelete")->trigger();
  EXPECT_EQ(messages().last(), "Il Cliente ha una o più Commesse associate, quindi non verrà eliminato.");
  EXPECT_EQ(gexView()->recordCount(), 2);
}

TEST_F(MainWindowCommands, DeletingACostDayNamesTheDateAndRemovesTheWholeDay) {
  start();
  showView(1);
  ASSERT_TRUE(selectRow("Data", Variant(QDate(2024, 3, 5))));
  control<QAction>("mnuFileDelete")->trigger();
  EXPECT_EQ(messages(), QStringList{"Eliminare tutti i rapporti del 05-03-2024 ?"});
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE Data=#03/05/2024#"), 0);
  EXPECT_EQ(gexView()->recordCount(), 2);
}

TEST_F(MainWindowCommands, ACostRowWithoutADateIsNotOfferedToDelete) {
  testdb::exec(DBPath, "INSERT INTO Costi (Classe, CodCom, Valore) VALUES (3, 'C001', 5)");
  start();
  showView(1);
  ASSERT_EQ(gexView()->recordCount(), 4);
  ASSERT_TRUE(selectRow("Data", Variant::null()));
  pressKey(gexView()->view(), Qt::Key_Delete);
  control<QAction>("mnuFileDelete")->trigger();
  EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi"), 5);
  EXPECT_EQ(gexView()->recordCount(), 4);
}

// The unit and category checks read the unit code and the category name from the list's row.
TEST_F(MainWindowCommands, UnitsAndCategoriesInUseAreRefusedFromTheirLists) {
  start();
  showView(8);
  ASSERT_TRUE(selectRow("Codice", Variant("m'")));
  pressKey(gexView()->view(), Qt::Key_Delete);
  EXPECT_EQ(messages().last(), "L'unità di misura ha Articoli associati, quindi non verrà eliminata.");
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Liste WHERE Chiave='um'"), 3);
  ASSERT_TRUE(selectRow("Codice", Variant("pz")));
  pressKey(gexView()->view(), Qt::Key_Delete);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Liste WHERE Codice='pz'"), 0);
  EXPECT_EQ(gexView()->recordCount(), 2);

  shown.clear();
  showView(7);
  ASSERT_TRUE(selectRow("Descrizione", Variant("Legno d'abete")));
  control<QAction>("mnuFileDelete")->trigger();
  EXPECT_EQ(messages(), (QStringList{"Eliminare la Categoria selezionata?",
                                     "La categoria ha Articoli associati, quindi non verrà eliminata."}));
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Liste WHERE Chiave='cat'"), 3);
  ASSERT_TRUE(selectRow("Descrizione", Variant("Vetro")));
  control<QAction>("mnuFileDelete")->trigger();
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Liste WHERE Descrizione='Vetro'"), 0);
  EXPECT_EQ(gexView()->recordCount(), 2);
}

TEST_F(MainWindowCommands, DeleteOnAnEmptyViewAsksNothing) {
  testdb::exec(DBPath, "DELETE FROM Impiegati");
  start();
  showView(5);
  ASSERT_EQ(gexView()->recordCount(), 0);
  pressKey(gexView()->view(), Qt::Key_Delete);
  control<QAction>("mnuFileDelete")->trigger();
  EXPECT_TRUE(messages().isEmpty()) << messages().join(QChar(0x7c)).toStdString();
}

TEST_F(MainWindowCommands, DeleteOnAGroupRowAsksNothing) {
  start();
  showView(4);
  gexView()->groups().add(gexView()->column("Località")->index());
  gexView()->setRow(1);
  ASSERT_TRUE(gexView()->isGroupRow());
  control<QAction>("mnuFileDelete")->trigger();
  EXPECT_TRUE(messages().isEmpty()) << messages().join(QChar(0x7c)).toStdString();
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CliFor"), 5);
}

TEST_F(MainWindowCommands, WithoutAPrinterTheMessageComesFirstAndPrintStaysDisabled) {
  printers = {};
  bool splashVisible = true;
  forms::setMsgBoxHandler([&](const forms::MsgBoxRequest& r) {
    shown.push_back(r);
    splashVisible =
        forms::SharedInstance<comfrmAbout>::loaded() && forms::SharedInstance<comfrmAbout>::get().isVisible();
    return answer;
  });
  start();
  ASSERT_EQ(messages(), QStringList{kNoPrinter});
  EXPECT_EQ(shown[0].style, forms::vbOKOnly);
  EXPECT_EQ(shown[0].title, AppTitle);
  EXPECT_FALSE(splashVisible);
  EXPECT_FALSE(control<QAction>("mnuFilePrint")->isEnabled());
  EXPECT_EQ(NumStampanti, 0);

  for (int view : {0, 2, 4}) {
    showView(view);
    EXPECT_FALSE(control<QAction>("mnuFilePrint")->isEnabled());
    EXPECT_FALSE(control<QAction>("tbPrint")->isEnabled());
    EXPECT_TRUE(control<QAction>("mnuFileNew")->isEnabled());
    EXPECT_TRUE(control<QAction>("tbOpen")->isEnabled());
    EXPECT_TRUE(control<QAction>("tbDelete")->isEnabled());
  }
  ASSERT_TRUE(selectRow("Nome", Variant("D'Angelo Luca")));
  pressKey(gexView()->view(), Qt::Key_Delete);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CliFor WHERE IdCliFor=3"), 0);
  EXPECT_EQ(messages().size(), 2);
}

// The real message box, answered with Enter: it shows before the window does, centred where the
// window then appears.
TEST_F(MainWindowCommands, TheStartUpPrinterMessageIsCentredOnTheMainWindow) {
  printers = {};
  forms::setMsgBoxHandler(nullptr);
  QStringList texts;
  QPoint central;
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    if (texts.isEmpty()) central = box->frameGeometry().center();
    texts << box->text();
    QTest::keyClick(box, Qt::Key_Return);
  });
  answerer.start(10);
  start();
  answerer.stop();
  ASSERT_FALSE(texts.isEmpty());
  EXPECT_EQ(texts.first(), kNoPrinter);
  EXPECT_LE((central - w->frameGeometry().center()).manhattanLength(), 8);
  EXPECT_LE((central - w->screen()->availableGeometry().center()).manhattanLength(), 8)
      << "the window appears where the message expected it";
}

TEST_F(MainWindowCommands, PrintersAndTheReportPrintersOfTheSettings) {
  comRegistry reg;
  reg.setClassKey(HKEY_CURRENT_USER);
  reg.setSectionKey(RegKeyPrinters);
  reg.setValueType(REG_SZ);
  reg.setValueKey("002");
  reg.setValue(Variant("Magazzino"));
  reg.setValueKey("D001");
  reg.setValue(Variant("Epson LX-300"));
  start();
  EXPECT_TRUE(messages().isEmpty()) << messages().join(QChar(0x7c)).toStdString();
  EXPECT_TRUE(control<QAction>("mnuFilePrint")->isEnabled());
  EXPECT_TRUE(control<QAction>("tbPrint")->isEnabled());
  EXPECT_EQ(NumStampanti, 2);
  EXPECT_EQ(Stampanti, (QStringList{"Ufficio", "Magazzino"}));
  EXPECT_EQ(Driver, (QStringList{"HP LaserJet 4", "Epson LX-300"}));
  EXPECT_EQ(StampanteReport[1], "Ufficio");
  EXPECT_EQ(DriverReport[1], "Epson LX-300");
  EXPECT_EQ(StampanteReport[2], "Magazzino");
  EXPECT_EQ(DriverReport[2], "HP LaserJet 4");
}

// Chooses the Data menu's "Tabelle"; true when it opened the table browser, which is then closed.
bool opensTables(frmMain& w) {
  bool opened = false;
  QTimer::singleShot(0, [&] {
    auto* tables = qobject_cast<comfrmManData*>(QApplication::activeModalWidget());
    if (!tables) return;
    opened = tables->parentWidget() == &w && tables->cmbTables->findText("_Pars") >= 0;
    tables->close();
  });
  w.findChild<QAction*>("mnuDataTables")->trigger();
  return opened;
}

TEST_F(MainWindowCommands, TheDataMenuOpensTheTableBrowserOnlyWhileNoOtherWindowIsOpen) {
  start();
  EXPECT_TRUE(opensTables(*w));
  EXPECT_TRUE(messages().isEmpty()) << messages().join(QChar(0x7c)).toStdString();

  // A job order's summary and quote lines, once opened and closed, stay loaded but hidden: they do
  // not count.
  forms::SharedInstance<frm_show_ComData>::get();
  forms::SharedInstance<frm_io_Com_Prev>::get();
  EXPECT_TRUE(opensTables(*w));
  EXPECT_TRUE(messages().isEmpty()) << messages().join(QChar(0x7c)).toStdString();

  // An entry window opened from the list counts while it is open, and no longer once cancelled.
  showView(4);
  control<QAction>("tbOpen")->trigger();
  QPointer<frm_io_Clienti> form;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* c = qobject_cast<frm_io_Clienti*>(window)) form = c;
  ASSERT_TRUE(form);
  EXPECT_FALSE(opensTables(*w));
  EXPECT_EQ(messages(), QStringList{"Chiudere prima tutte le schede dati."});
  EXPECT_EQ(shown.back().style, forms::vbOKOnly);
  EXPECT_EQ(shown.back().title, AppTitle);

  QTest::mouseClick(form->cmdAnnulla, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.isNull(); }));
  EXPECT_TRUE(opensTables(*w));
  EXPECT_EQ(messages().size(), 1);
}

TEST_F(MainWindowCommands, TheGridMenuHandsTheViewGridToTheGridDialogs) {
  start();
  showView(4);
  QStringList opened;
  for (QAction* entry : control<QMenu>("mnuGrid")->actions()) {
    const int tag = entry->data().toInt();
    if (tag != 1 && tag != 2 && tag != 4 && tag != 8) continue;
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (!dialog) return;
      if (auto* fields = qobject_cast<comfrmShowfields*>(dialog)) {
        EXPECT_GT(fields->lstVisible->count(), 0);
      }
      if (auto* sort = qobject_cast<comfrmSort*>(dialog)) {
        EXPECT_EQ(sort->cboGroups[0]->count(), gexView()->columnCount() + 1);
      }
      opened << dialog->metaObject()->className();
      dialog->close();
    });
    entry->setEnabled(true);
    entry->trigger();
  }
  EXPECT_EQ(opened, (QStringList{"comfrmShowfields", "comfrmSort", "comfrmGroupBy", "comfrmTableview"}));
}

TEST_F(MainWindowCommands, TheAboutBoxOpensWithItsFrameAndCloses) {
  start();
  bool seen = false;
  QTimer::singleShot(0, [&] {
    comfrmAbout& about = forms::SharedInstance<comfrmAbout>::get();
    seen = about.isVisible() && !about.captionRemoved() && about.cmdOK->isEnabled() &&
           about.height() == about.fullHeight() && about.parentWidget() == w.get();
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
  });
  control<QAction>("mnuHelpInfo")->trigger();
  EXPECT_TRUE(seen);
  EXPECT_FALSE(forms::SharedInstance<comfrmAbout>::get().isVisible());
}

TEST_F(MainWindowCommands, OnlineHelpOpensTheCompiledHelpFileBesideTheProgram) {
  start();
  QFile helpFile(HelpFile);
  ASSERT_TRUE(helpFile.open(QIODevice::ReadOnly)) << HelpFile.toStdString();
  EXPECT_EQ(helpFile.read(4), "ITSF");
  EXPECT_EQ(QFileInfo(HelpFile).absolutePath(), QCoreApplication::applicationDirPath());

  LinkDesktop desktop;
  QDesktopServices::setUrlHandler("file", &desktop, "open");
  {
    ChmViewer viewer;
    control<QAction>("mnuHelpContents")->trigger();
  }
  ASSERT_EQ(desktop.opened.size(), 1);
  EXPECT_EQ(desktop.opened[0].toLocalFile(), QFileInfo(HelpFile).absoluteFilePath());

  // Without a viewer for it the program shows the pages beside it, at the first page.
  control<QAction>("mnuHelpContents")->trigger();
  QDesktopServices::unsetUrlHandler("file");
  EXPECT_EQ(desktop.opened.size(), 1);
  shell::HelpWindow* helpWindow = shell::helpWindow();
  ASSERT_TRUE(helpWindow);
  EXPECT_TRUE(helpWindow->isVisible());
  EXPECT_EQ(helpWindow->browser()->source().toLocalFile(),
            QCoreApplication::applicationDirPath() + "/tarvel/index.htm");
  EXPECT_EQ(helpWindow->windowTitle(), "Gestione Commesse");
  EXPECT_TRUE(helpWindow->browser()->toPlainText().contains("Le visualizzazioni"));
  helpWindow->close();
  EXPECT_TRUE(messages().isEmpty()) << messages().join(QChar(0x7c)).toStdString();
}

TEST_F(MainWindowCommands, OnlineHelpThatCannotBeOpenedIsReportedInItalian) {
  start();
  const QString helpFile = HelpFile;
  HelpFile = QDir::temp().filePath("nessuna-guida/tarvel.chm");
  LinkDesktop desktop;
  QDesktopServices::setUrlHandler("file", &desktop, "open");
  control<QAction>("mnuHelpContents")->trigger();
  QDesktopServices::unsetUrlHandler("file");
  HelpFile = helpFile;
  EXPECT_TRUE(desktop.opened.isEmpty());
  ASSERT_EQ(messages().size(), 1);
  EXPECT_TRUE(messages()[0].startsWith("Impossibile aprire la guida in linea"))
      << messages()[0].toStdString();
  EXPECT_TRUE(messages()[0].contains("nessuna-guida/tarvel.chm"));
  EXPECT_EQ(shown.back().style, forms::vbOKOnly | forms::vbExclamation);
  EXPECT_EQ(shown.back().title, AppTitle);
}

// New and Open on the job orders open the new-job-order and editing windows; a save there re-reads the view.
TEST_F(MainWindowCommands, NewAndOpenOnTheJobOrdersOpenTheirWindows) {
  start();
  showView(0);
  control<QAction>("tbNew")->trigger();
  QPointer<frm_io_Com_New> newJob;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* f = qobject_cast<frm_io_Com_New*>(window); f && f->isVisible()) newJob = f;
  ASSERT_TRUE(newJob);
  EXPECT_EQ(newJob->parentWidget(), w.get());
  QTest::mouseClick(newJob->cmdAnnulla, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return newJob.isNull(); }));

  ASSERT_TRUE(selectRow("CodCom", Variant("C'03")));
  control<QAction>("tbOpen")->trigger();
  QPointer<frm_io_Com_Edit> form;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* f = qobject_cast<frm_io_Com_Edit*>(window); f && f->isVisible()) form = f;
  ASSERT_TRUE(form);
  EXPECT_EQ(form->line(1)->text(), "Scala");
  form->binding().setText(form->line(1), "Scala a chiocciola");
  QTest::mouseClick(form->cmdSalva, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.isNull(); }));
  EXPECT_TRUE(selectRow("DesCom", Variant("Scala a chiocciola"))) << "the view is read again";
}

// Print on the job orders and on the cost days opens the one job-order print dialog on the default
// printer; on a view without a print dialog it opens nothing.
TEST_F(MainWindowCommands, PrintOnTheJobOrdersOpensTheirPrintDialog) {
  start();
  showView(5);
  control<QAction>("tbPrint")->trigger();
  EXPECT_FALSE(forms::SharedInstance<frmPrintReportCom>::loaded());
  for (int view : {0, 1}) {
    showView(view);
    control<QAction>("tbPrint")->trigger();
    ASSERT_TRUE(forms::SharedInstance<frmPrintReportCom>::loaded());
    frmPrintReportCom& printDialog = forms::SharedInstance<frmPrintReportCom>::get();
    EXPECT_TRUE(printDialog.isVisible());
    EXPECT_FALSE(printDialog.parentWidget());
    EXPECT_EQ(printDialog.cmbprinters->currentText(), "Ufficio");
    EXPECT_EQ(printDialog.cmbFor->currentText(), "(Tutte)");
  }
  forms::SharedInstance<frmPrintReportCom>::get().close();
}

// Each print dialog opens in front, centred on the main window, with the program's icon.
TEST_F(MainWindowCommands, EveryPrintDialogOpensCentredOnTheMainWindowWithTheProgramsIcon) {
  start();
  w->move(w->screen()->availableGeometry().topLeft() + QPoint(120, 80));
  const auto opened = [&](int view) -> QWidget* {
    showView(view);
    control<QAction>("tbPrint")->trigger();
    QWidget* found = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->isVisible() && top->inherits("PrintReportDialog")) found = top;
    return found;
  };
  for (int view : {0, 2, 3, 4}) {
    QWidget* dialog = opened(view);
    ASSERT_TRUE(dialog) << view;
    EXPECT_LE((dialog->geometry().center() - w->geometry().center()).manhattanLength(), 10) << view;
    EXPECT_EQ(dialog->windowIcon().cacheKey(), w->windowIcon().cacheKey()) << view;
    EXPECT_FALSE(dialog->parentWidget());
    dialog->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(MainWindowCommands, ExitClosesTheWindowAndEndsTheProgram) {
  start();
  bool unloaded = false;
  QObject::connect(w.get(), &frmMain::unloaded, [&] { unloaded = true; });
  control<QAction>("mnuFileExit")->trigger();
  EXPECT_TRUE(unloaded);
  EXPECT_FALSE(w->isVisible());
}

}  // namespace
