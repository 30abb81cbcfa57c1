#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "core/Globals.h"
#include "core/comRegistry.h"
#include "common/comfrmAbout.h"
#include "common/comfrmManData.h"
#include "common/comfrmShowfields.h"
#include "common/comfrmSort.h"
#include "jobs/frm_io_Com_Edit.h"
#include "jobs/frm_io_Com_New.h"
#include "masterdata/frm_io_Clienti.h"
#include "platform/forms/SharedInstance.h"
#include "reports/frmPrintReportCom.h"
#include "tests/common/ChmViewer.h"
#include "tests/common/LinkDesktop.h"
#include "platform/shell/HelpViewer.h"
#include "platform/grid/GridEX.h"
#include "tests/app/DatiProva.h"
#include "tests/app/FinestraProva.h"

using datiprova::Conta;

namespace {

using ComandiFinestra = FinestraProva;

const QString kNessunaStampante =
    "Nessuna stampante installata.\r\nInstallare almeno una stampante per utilizzare correttamente "
    "l'applicazione";

TEST_F(ComandiFinestra, DeleteFromTheGridAsksThenDeletesAndRereadsTheView) {
  Avvia();
  MostraVista(4);
  ASSERT_TRUE(SelezionaRiga("Nome", Variant("D'Angelo Luca")));
  risposta = forms::vbNo;
  Premi(w->gexView->view(), Qt::Key_Delete);
  EXPECT_EQ(Messaggi(), QStringList{"Eliminare il Cliente selezionato?"});
  EXPECT_EQ(Conta("SELECT * FROM CliFor WHERE IdCliFor=3"), 1);

  risposta = forms::vbYes;
  Premi(w->txtFind, Qt::Key_D);
  ASSERT_EQ(ValoreCorrente("Nome"), Variant("D'Angelo Luca"));
  Premi(w->gexView->view(), Qt::Key_Delete);
  EXPECT_EQ(Messaggi().size(), 2);
  EXPECT_EQ(Conta("SELECT * FROM CliFor WHERE IdCliFor=3"), 0);
  EXPECT_EQ(w->gexView->recordCount(), 2);
  EXPECT_TRUE(w->txtFind->text().isEmpty());

  // A customer with job orders is refused from the toolbar as well.
  ASSERT_TRUE(SelezionaRiga("Nome", Variant("Rossi Mario")));
  w->tbElimina->trigger();
  EXPECT_EQ(Messaggi().last(), "Il Cliente ha una o più Commesse associate, quindi non verrà eliminato.");
  EXPECT_EQ(w->gexView->recordCount(), 2);
}

TEST_F(ComandiFinestra, DeletingACostDayNamesTheDateAndRemovesTheWholeDay) {
  Avvia();
  MostraVista(1);
  ASSERT_TRUE(SelezionaRiga("Data", Variant(QDate(2024, 3, 5))));
  w->mnuFileElimina->trigger();
  EXPECT_EQ(Messaggi(), QStringList{"Eliminare tutti i rapporti del 05-03-2024 ?"});
  EXPECT_EQ(Conta("SELECT * FROM Costi WHERE Data=#03/05/2024#"), 0);
  EXPECT_EQ(w->gexView->recordCount(), 2);
}

TEST_F(ComandiFinestra, ACostRowWithoutADateIsNotOfferedToDelete) {
  datiprova::EseguiSqlite("INSERT INTO Costi (Classe, CodCom, Valore) VALUES (3, 'C001', 5)");
  Avvia();
  MostraVista(1);
  ASSERT_EQ(w->gexView->recordCount(), 4);
  ASSERT_TRUE(SelezionaRiga("Data", Variant::null()));
  Premi(w->gexView->view(), Qt::Key_Delete);
  w->mnuFileElimina->trigger();
  EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join('|').toStdString();
  EXPECT_EQ(Conta("SELECT * FROM Costi"), 5);
  EXPECT_EQ(w->gexView->recordCount(), 4);
}

// The unit and category checks read the unit code and the category name from the list's row.
TEST_F(ComandiFinestra, UnitsAndCategoriesInUseAreRefusedFromTheirLists) {
  Avvia();
  MostraVista(8);
  ASSERT_TRUE(SelezionaRiga("Codice", Variant("m'")));
  Premi(w->gexView->view(), Qt::Key_Delete);
  EXPECT_EQ(Messaggi().last(), "L'unità di misura ha Articoli associati, quindi non verrà eliminata.");
  EXPECT_EQ(Conta("SELECT * FROM Liste WHERE Chiave='um'"), 3);
  ASSERT_TRUE(SelezionaRiga("Codice", Variant("pz")));
  Premi(w->gexView->view(), Qt::Key_Delete);
  EXPECT_EQ(Conta("SELECT * FROM Liste WHERE Codice='pz'"), 0);
  EXPECT_EQ(w->gexView->recordCount(), 2);

  mostrati.clear();
  MostraVista(7);
  ASSERT_TRUE(SelezionaRiga("Descrizione", Variant("Legno d'abete")));
  w->mnuFileElimina->trigger();
  EXPECT_EQ(Messaggi(), (QStringList{"Eliminare la Categoria selezionata?",
                                     "La categoria ha Articoli associati, quindi non verrà eliminata."}));
  EXPECT_EQ(Conta("SELECT * FROM Liste WHERE Chiave='cat'"), 3);
  ASSERT_TRUE(SelezionaRiga("Descrizione", Variant("Vetro")));
  w->mnuFileElimina->trigger();
  EXPECT_EQ(Conta("SELECT * FROM Liste WHERE Descrizione='Vetro'"), 0);
  EXPECT_EQ(w->gexView->recordCount(), 2);
}

TEST_F(ComandiFinestra, DeleteOnAnEmptyViewAsksNothing) {
  datiprova::EseguiSqlite("DELETE FROM Impiegati");
  Avvia();
  MostraVista(5);
  ASSERT_EQ(w->gexView->recordCount(), 0);
  Premi(w->gexView->view(), Qt::Key_Delete);
  w->mnuFileElimina->trigger();
  EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join(QChar(0x7c)).toStdString();
}

TEST_F(ComandiFinestra, DeleteOnAGroupRowAsksNothing) {
  Avvia();
  MostraVista(4);
  w->gexView->groups().add(w->gexView->column("Località")->index());
  w->gexView->setRow(1);
  ASSERT_TRUE(w->gexView->isGroupRow());
  w->mnuFileElimina->trigger();
  EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join(QChar(0x7c)).toStdString();
  EXPECT_EQ(Conta("SELECT * FROM CliFor"), 5);
}

TEST_F(ComandiFinestra, WithoutAPrinterTheMessageComesFirstAndPrintStaysDisabled) {
  stampanti = {};
  bool splashVisibile = true;
  forms::setMsgBoxHandler([&](const forms::MsgBoxRequest& r) {
    mostrati.push_back(r);
    splashVisibile = forms::SharedInstance<comfrmAbout>::loaded() &&
                     forms::SharedInstance<comfrmAbout>::get().isVisible();
    return risposta;
  });
  Avvia();
  ASSERT_EQ(Messaggi(), QStringList{kNessunaStampante});
  EXPECT_EQ(mostrati[0].style, forms::vbOKOnly);
  EXPECT_EQ(mostrati[0].title, AppTitle);
  EXPECT_FALSE(splashVisibile);
  EXPECT_FALSE(w->StampantiPresenti);
  EXPECT_EQ(NumStampanti, 0);

  for (int vista : {0, 2, 4}) {
    MostraVista(vista);
    EXPECT_FALSE(w->mnuFileStampa->isEnabled());
    EXPECT_FALSE(w->tbStampa->isEnabled());
    EXPECT_TRUE(w->mnuFileNuovo->isEnabled());
    EXPECT_TRUE(w->tbApri->isEnabled());
    EXPECT_TRUE(w->tbElimina->isEnabled());
  }
  ASSERT_TRUE(SelezionaRiga("Nome", Variant("D'Angelo Luca")));
  Premi(w->gexView->view(), Qt::Key_Delete);
  EXPECT_EQ(Conta("SELECT * FROM CliFor WHERE IdCliFor=3"), 0);
  EXPECT_EQ(Messaggi().size(), 2);
}

// The real message box, answered with Enter: it shows before the window does, centred where the
// window then appears.
TEST_F(ComandiFinestra, TheStartUpPrinterMessageIsCentredOnTheMainWindow) {
  stampanti = {};
  forms::setMsgBoxHandler(nullptr);
  QStringList testi;
  QPoint centro;
  QTimer risponditore;
  QObject::connect(&risponditore, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) return;
    if (testi.isEmpty()) centro = box->frameGeometry().center();
    testi << box->text();
    QTest::keyClick(box, Qt::Key_Return);
  });
  risponditore.start(10);
  Avvia();
  risponditore.stop();
  ASSERT_FALSE(testi.isEmpty());
  EXPECT_EQ(testi.first(), kNessunaStampante);
  EXPECT_LE((centro - w->frameGeometry().center()).manhattanLength(), 8);
  EXPECT_LE((centro - w->screen()->availableGeometry().center()).manhattanLength(), 8)
      << "the window appears where the message expected it";
}

TEST_F(ComandiFinestra, PrintersAndTheReportPrintersOfTheSettings) {
  comRegistry reg;
  reg.setClassKey(HKEY_CURRENT_USER);
  reg.setSectionKey(RegKeyPrinters);
  reg.setValueType(REG_SZ);
  reg.setValueKey("002");
  reg.setValue(Variant("Magazzino"));
  reg.setValueKey("D001");
  reg.setValue(Variant("Epson LX-300"));
  Avvia();
  EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join(QChar(0x7c)).toStdString();
  EXPECT_TRUE(w->StampantiPresenti);
  EXPECT_TRUE(w->tbStampa->isEnabled());
  EXPECT_EQ(NumStampanti, 2);
  EXPECT_EQ(Stampanti, (QStringList{"Ufficio", "Magazzino"}));
  EXPECT_EQ(Driver, (QStringList{"HP LaserJet 4", "Epson LX-300"}));
  EXPECT_EQ(StampanteReport[1], "Ufficio");
  EXPECT_EQ(DriverReport[1], "Epson LX-300");
  EXPECT_EQ(StampanteReport[2], "Magazzino");
  EXPECT_EQ(DriverReport[2], "HP LaserJet 4");
}

// Chooses the Data menu's "Tabelle"; true when it opened the table browser, which is then closed.
bool ApreTabelle(frmMain& w) {
  bool aperto = false;
  QTimer::singleShot(0, [&] {
    auto* tabelle = qobject_cast<comfrmManData*>(QApplication::activeModalWidget());
    if (!tabelle) return;
    aperto = tabelle->parentWidget() == &w && tabelle->cmbTables->findText("_Pars") >= 0;
    tabelle->close();
  });
  w.mnuDatiTabelle->trigger();
  return aperto;
}

TEST_F(ComandiFinestra, TheDataMenuOpensTheTableBrowserOnlyWhileNoOtherWindowIsOpen) {
  Avvia();
  EXPECT_TRUE(ApreTabelle(*w));
  EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join(QChar(0x7c)).toStdString();

  // An entry window opened from the list counts while it is open, and no longer once cancelled.
  MostraVista(4);
  w->tbApri->trigger();
  QPointer<frm_io_Clienti> scheda;
  for (QWidget* finestra : QApplication::topLevelWidgets())
    if (auto* c = qobject_cast<frm_io_Clienti*>(finestra)) scheda = c;
  ASSERT_TRUE(scheda);
  EXPECT_FALSE(ApreTabelle(*w));
  EXPECT_EQ(Messaggi(), QStringList{"Chiudere prima tutte le schede dati."});
  EXPECT_EQ(mostrati.back().style, forms::vbOKOnly);
  EXPECT_EQ(mostrati.back().title, AppTitle);

  QTest::mouseClick(scheda->cmdAnnulla, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return scheda.isNull(); }));
  EXPECT_TRUE(ApreTabelle(*w));
  EXPECT_EQ(Messaggi().size(), 1);
}

TEST_F(ComandiFinestra, TheGridMenuHandsTheViewGridToTheGridDialogs) {
  Avvia();
  MostraVista(4);
  QStringList aperti;
  for (QAction* voce : w->mnuGridItem) {
    const int tag = voce->data().toInt();
    if (tag != 1 && tag != 2 && tag != 4 && tag != 8) continue;
    QTimer::singleShot(0, [&] {
      QWidget* dialogo = QApplication::activeModalWidget();
      if (!dialogo) return;
      if (auto* campi = qobject_cast<comfrmShowfields*>(dialogo)) {
        EXPECT_GT(campi->lstVisible->count(), 0);
      }
      if (auto* ordina = qobject_cast<comfrmSort*>(dialogo)) {
        EXPECT_EQ(ordina->cboGroups[0]->count(), w->gexView->columnCount() + 1);
      }
      aperti << dialogo->metaObject()->className();
      dialogo->close();
    });
    voce->setEnabled(true);
    voce->trigger();
  }
  EXPECT_EQ(aperti, (QStringList{"comfrmShowfields", "comfrmSort", "comfrmGroupBy", "comfrmTableview"}));
}

TEST_F(ComandiFinestra, TheAboutBoxOpensWithItsFrameAndCloses) {
  Avvia();
  bool visto = false;
  QTimer::singleShot(0, [&] {
    comfrmAbout& about = forms::SharedInstance<comfrmAbout>::get();
    visto = about.isVisible() && !about.captionRemoved() && about.cmdOK->isEnabled() &&
            about.height() == about.fullHeight() && about.parentWidget() == w.get();
    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
  });
  w->mnuHelpInfo->trigger();
  EXPECT_TRUE(visto);
  EXPECT_FALSE(forms::SharedInstance<comfrmAbout>::get().isVisible());
}

TEST_F(ComandiFinestra, OnlineHelpOpensTheCompiledHelpFileBesideTheProgram) {
  Avvia();
  QFile guida(HelpFile);
  ASSERT_TRUE(guida.open(QIODevice::ReadOnly)) << HelpFile.toStdString();
  EXPECT_EQ(guida.read(4), "ITSF");
  EXPECT_EQ(QFileInfo(HelpFile).absolutePath(), QCoreApplication::applicationDirPath());

  LinkDesktop desktop;
  QDesktopServices::setUrlHandler("file", &desktop, "apri");
  {
    ChmViewer visore;
    w->mnuHelpGuida->trigger();
  }
  ASSERT_EQ(desktop.aperti.size(), 1);
  EXPECT_EQ(desktop.aperti[0].toLocalFile(), QFileInfo(HelpFile).absoluteFilePath());

  // Without a viewer for it the program shows the pages beside it, at the first page.
  w->mnuHelpGuida->trigger();
  QDesktopServices::unsetUrlHandler("file");
  EXPECT_EQ(desktop.aperti.size(), 1);
  QTextBrowser* guidaInterna = shell::helpWindow();
  ASSERT_TRUE(guidaInterna);
  EXPECT_TRUE(guidaInterna->isVisible());
  EXPECT_EQ(guidaInterna->source().toLocalFile(), QCoreApplication::applicationDirPath() + "/tarvel/index.htm");
  EXPECT_EQ(guidaInterna->windowTitle(), "Gestione Commesse");
  EXPECT_TRUE(guidaInterna->toPlainText().contains("Le visualizzazioni"));
  guidaInterna->close();
  EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join(QChar(0x7c)).toStdString();
}

TEST_F(ComandiFinestra, OnlineHelpThatCannotBeOpenedIsReportedInItalian) {
  Avvia();
  const QString guida = HelpFile;
  HelpFile = QDir::temp().filePath("nessuna-guida/tarvel.chm");
  LinkDesktop desktop;
  QDesktopServices::setUrlHandler("file", &desktop, "apri");
  w->mnuHelpGuida->trigger();
  QDesktopServices::unsetUrlHandler("file");
  HelpFile = guida;
  EXPECT_TRUE(desktop.aperti.isEmpty());
  ASSERT_EQ(Messaggi().size(), 1);
  EXPECT_TRUE(Messaggi()[0].startsWith("Impossibile aprire la guida in linea")) << Messaggi()[0].toStdString();
  EXPECT_TRUE(Messaggi()[0].contains("nessuna-guida/tarvel.chm"));
  EXPECT_EQ(mostrati.back().style, forms::vbOKOnly | forms::vbExclamation);
  EXPECT_EQ(mostrati.back().title, AppTitle);
}

// New and Open on the job orders open the new-job-order and editing windows; a save there re-reads the view.
TEST_F(ComandiFinestra, NewAndOpenOnTheJobOrdersOpenTheirWindows) {
  Avvia();
  MostraVista(0);
  w->tbNuovo->trigger();
  QPointer<frm_io_Com_New> nuova;
  for (QWidget* finestra : QApplication::topLevelWidgets())
    if (auto* f = qobject_cast<frm_io_Com_New*>(finestra); f && f->isVisible()) nuova = f;
  ASSERT_TRUE(nuova);
  EXPECT_EQ(nuova->parentWidget(), w.get());
  QTest::mouseClick(nuova->cmdAnnulla, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return nuova.isNull(); }));

  ASSERT_TRUE(SelezionaRiga("CodCom", Variant("C'03")));
  w->tbApri->trigger();
  QPointer<frm_io_Com_Edit> scheda;
  for (QWidget* finestra : QApplication::topLevelWidgets())
    if (auto* f = qobject_cast<frm_io_Com_Edit*>(finestra); f && f->isVisible()) scheda = f;
  ASSERT_TRUE(scheda);
  EXPECT_EQ(scheda->line(1)->text(), "Scala");
  scheda->binding().setText(scheda->line(1), "Scala a chiocciola");
  QTest::mouseClick(scheda->cmdSalva, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return scheda.isNull(); }));
  EXPECT_TRUE(SelezionaRiga("DesCom", Variant("Scala a chiocciola"))) << "the view is read again";
}

// Print on the job orders and on the cost days opens the one job-order print dialog on the default
// printer; on a view without a print dialog it opens nothing.
TEST_F(ComandiFinestra, PrintOnTheJobOrdersOpensTheirPrintDialog) {
  Avvia();
  MostraVista(5);
  w->tbStampa->trigger();
  EXPECT_FALSE(forms::SharedInstance<frmPrintReportCom>::loaded());
  for (int vista : {0, 1}) {
    MostraVista(vista);
    w->tbStampa->trigger();
    ASSERT_TRUE(forms::SharedInstance<frmPrintReportCom>::loaded());
    frmPrintReportCom& stampa = forms::SharedInstance<frmPrintReportCom>::get();
    EXPECT_TRUE(stampa.isVisible());
    EXPECT_FALSE(stampa.parentWidget());
    EXPECT_EQ(stampa.cmbprinters->currentText(), "Ufficio");
    EXPECT_EQ(stampa.cmbFor->currentText(), "(Tutte)");
  }
  forms::SharedInstance<frmPrintReportCom>::get().close();
}

TEST_F(ComandiFinestra, ExitClosesTheWindowAndEndsTheProgram) {
  Avvia();
  bool scaricata = false;
  QObject::connect(w.get(), &frmMain::scaricata, [&] { scaricata = true; });
  w->mnuFileEsci->trigger();
  EXPECT_TRUE(scaricata);
  EXPECT_FALSE(w->isVisible());
}

}  // namespace
