// The job-order editing window and the economic summary it opens, driven as a user would.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>

#include "jobs/frm_io_Com_Edit.h"
#include "jobs/frm_show_ComData.h"
#include "masterdata/frm_io_Clienti.h"
#include "platform/forms/DataCombo.h"
#include "platform/forms/DatePicker.h"
#include "platform/forms/SharedInstance.h"
#include "tests/jobs/ComTestSupport.h"

namespace {

enum { Codice = 0, Descrizione = 1, Responsabile = 2, Note = 3, Tariffa = 4 };

class ComEditTest : public ComTest {
 protected:
  void TearDown() override {
    forms::SharedInstance<frm_show_ComData>::unload();
    ComTest::TearDown();
  }
  QPointer<frm_io_Com_Edit> openJob(const QString& code = "C001") {
    QPointer<frm_io_Com_Edit> form = new frm_io_Com_Edit;
    form->Apri(code);
    if (!form.isNull() && form->isVisible()) activate(form);
    return form;
  }
};

TEST_F(ComEditTest, OpensWithEveryDateEditableAClickSetsADateStateAndSaveRefreshesTheView) {
  QPointer<frm_io_Com_Edit> form = openJob();
  EXPECT_EQ(form->parentWidget(), main);
  EXPECT_FALSE(form->txtFields[Codice]->isEnabled());
  EXPECT_EQ(form->line(Codice)->text(), "C001");
  EXPECT_EQ(form->dtcData[0]->currentText(), "Bianchi Srl");
  EXPECT_EQ(form->line(Tariffa)->text(), "1.234,50");
  EXPECT_TRUE(form->line(Tariffa)->alignment() & Qt::AlignRight);
  for (forms::DatePicker* data : form->datData) EXPECT_TRUE(data->isEnabled()) << "whatever the flags";

  click(form->chkField[1]);
  EXPECT_FALSE(form->datData[3]->isEnabled());
  EXPECT_EQ(focused(), form->chkField[1]);
  click(form->chkField[1]);
  EXPECT_EQ(focused(), form->datData[3]);
  form->txtFields[Note]->setFocus();
  press(Qt::Key_Tab);
  press(Qt::Key_Tab);
  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), form->chkField[0]) << "the flags come after \"Salva\" and \"Annulla\"";

  form->txtFields[Descrizione]->setFocus();
  type("Impianto nuovo");
  press(Qt::Key_Return);
  type("Verdi Spa");
  press(Qt::Key_Return);
  type("Mario");
  form->line(Tariffa)->setFocus();
  type("42,5");
  click(form->chkField[2]);
  click(form->cmdSalva);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(
      testdb::count(
          cn,
          "SELECT * FROM Commesse WHERE CodCom='C001' AND DesCom='Impianto nuovo' AND Responsabile='Mario' "
          "AND EcoTar=42.5 AND InGaranzia=1 AND Chiusa=1 AND IdCliente=" +
              QString::number(customerId("Verdi Spa"))),
      1);
}

TEST_F(ComEditTest, FieldRulesKeepTheFocusAndEscOrCancelWriteNothing) {
  QPointer<frm_io_Com_Edit> form = openJob();
  type("Da non salvare");
  press(Qt::Key_Escape);
  EXPECT_EVENTUALLY(form.isNull());

  form = openJob();
  press(Qt::Key_Delete);
  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), form->txtFields[Descrizione]) << "an empty description";
  EXPECT_TRUE(messages.isEmpty());
  type("Impianto");
  press(Qt::Key_Tab);
  form->dtcData[0]->lineEdit()->clear();
  press(Qt::Key_Tab);
  EXPECT_EQ(messages, QStringList{"Inserire un Cliente"});
  EXPECT_EQ(focused(), form->dtcData[0]);
  click(form->cmdAddClient);
  EXPECT_EQ(messages.size(), 2) << "\"+\" runs the rule and its click is lost";
  EXPECT_FALSE(forms::SharedInstance<frm_io_Clienti>::loaded());

  runModal(
      [] {
        press(Qt::Key_F5);
        return Variant();
      },
      [](QWidget* w) {
        type("Gialli");
        click(static_cast<frm_io_Clienti*>(w)->cmdSalva);
      });
  EXPECT_EQ(form->dtcData[0]->currentText(), "Gialli");
  runModal(
      [&] {
        click(form->cmdAddClient);
        return Variant();
      },
      [](QWidget* w) {
        type("Azzurri");
        click(static_cast<frm_io_Clienti*>(w)->cmdSalva);
      });
  EXPECT_EQ(form->dtcData[0]->currentText(), "Azzurri");
  EXPECT_EVENTUALLY(focused() == form->txtFields[Responsabile]);
  click(form->cmdAnnulla);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(refreshes, 0);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Commesse WHERE DesCom='Impianto' AND IdCliente=" +
                                  QString::number(customerId("Bianchi Srl"))),
            1);
}

TEST_F(ComEditTest, ARefusedSaveKeepsTheWindowAndAMissingJobOrderOpensNothing) {
  QPointer<frm_io_Com_Edit> form = openJob();
  type("Mia modifica");
  testdb::exec(cn, "UPDATE Commesse SET DesCom='Altrui' WHERE CodCom='C001'");
  click(form->cmdSalva);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains("modificata da un altro utente"));
  ASSERT_FALSE(form.isNull());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->line(Descrizione)->text(), "Mia modifica");
  EXPECT_EQ(testdb::scalar(cn, "SELECT DesCom FROM Commesse WHERE CodCom='C001'").toString(), "Altrui");
  EXPECT_EQ(refreshes, 0);
  click(form->cmdAnnulla);
  EXPECT_EVENTUALLY(form.isNull());

  form = openJob("X'1");
  EXPECT_EQ(messages.last(), "La registrazione richiesta non esiste più.");
  EXPECT_EVENTUALLY(form.isNull());
}

TEST_F(ComEditTest, F8ShowsTheEconomicSummaryOfTheWorkedExample) {
  testdb::exec(cn, "INSERT INTO CommessePre (CodCom, Prezzo) VALUES ('C001', 1000)");
  testdb::exec(
      cn,
      "INSERT INTO Costi (CodCom, Classe, InEconomia, Quantita, CostoUnitario, PrezzoUnitario) VALUES "
      "('C001', 0, False, 8, 25, 0), ('C001', 0, True, 2, 25, 60), ('C001', 2, False, 10, 30, 0), "
      "('C001', 0, True, 5.5, 0, 0)");
  QPointer<frm_io_Com_Edit> form = openJob();
  press(Qt::Key_F7);
  EXPECT_TRUE(form->isActiveWindow()) << "F7 does nothing";
  QStringList texts;
  QString title;
  bool onlyFirstTab = false;
  runModal(
      [] {
        press(Qt::Key_F8);
        return Variant();
      },
      [&](QWidget* w) {
        auto* summary = static_cast<frm_show_ComData*>(w);
        for (QLabel* label : summary->lblData) texts << label->text();
        title = summary->windowTitle();
        onlyFirstTab = summary->SSTab1->isTabVisible(0) && !summary->SSTab1->isTabVisible(1) &&
                       !summary->SSTab1->isTabVisible(4);
        press(Qt::Key_Escape);
      });
  EXPECT_EQ(title, "Dati Commessa: C001");
  EXPECT_TRUE(onlyFirstTab);
  EXPECT_EVENTUALLY(form->isActiveWindow()) << "the summary gives the focus back to the job order";
  EXPECT_EQ(texts,
            QStringList({"1.000,00 ", "500,00 ", "200,00 ", "300,00 ", "0,00 ",  "500,00 ",   "120,00 ",
                         "50,00 ",    "50,00 ",  "0,00 ",   "0,00 ",   "70,00 ", "1.120,00 ", "550,00 ",
                         "250,00 ",   "300,00 ", "0,00 ",   "570,00 ", "8,00 ",  "7,50 "}));
  runModal(
      [&] {
        click(form->cmd_Info);
        return Variant();
      },
      [](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
  EXPECT_FALSE(form.isNull());
  EXPECT_EVENTUALLY(form->isActiveWindow());
  QString quoteTitle;
  runModal(
      [] {
        press(Qt::Key_F9);
        return Variant();
      },
      [&](QWidget* w) {
        quoteTitle = w->windowTitle();
        static_cast<QDialog*>(w)->reject();
      });
  EXPECT_EQ(quoteTitle, "Preventivo");
  EXPECT_EVENTUALLY(form->isActiveWindow()) << "so do the quote lines";
}

}  // namespace
