// The new-job-order window driven as a user would, checked in the database and on the widgets.
#include <sqlite3.h>

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "core/Globals.h"
#include "jobs/frm_io_Com_Edit.h"
#include "jobs/frm_io_Com_New.h"
#include "masterdata/frm_io_Clienti.h"
#include "platform/db/Connection.h"
#include "platform/forms/DataCombo.h"
#include "platform/forms/DatePicker.h"
#include "platform/forms/SharedInstance.h"
#include "platform/forms/StatusBar.h"
#include "tests/jobs/ComTestSupport.h"

namespace {

enum { Codice = 0, Descrizione = 1 };
enum { CustomerList = 0, TemplateList = 1 };

class ComNewTest : public ComTest {
 protected:
  void SetUp() override {
    ComTest::SetUp();
    testdb::exec(cn, "INSERT INTO PreModelli (Descrizione) VALUES ('Impianto elettrico'), ('Vuoto')");
    testdb::exec(
        cn,
        "INSERT INTO PreVoci (IdModelloPre, Codice, Descrizione, DescEstesa, Ordine, UM, Tariffa) VALUES "
        "(1, 'V1', 'Quadro', 'Quadro da 24 moduli\ncon differenziale', 10, 'PZ', 500), "
        "(1, 'V2', 'Cavi', NULL, 20, 'MT', 2.5), (1, 'V3', 'Prese', 'Prese schuko', 30, 'PZ', 12)");
  }
  void TearDown() override {
    forms::SharedInstance<frm_io_Com_Edit>::unload();
    ComTest::TearDown();
  }

  // A new job order with its code, description and customer typed in, the focus on "Creata il:".
  QPointer<frm_io_Com_New> newJob(const QString& code, const QString& customer = "Verdi Spa") {
    QPointer<frm_io_Com_New> form = new frm_io_Com_New;
    form->Nuovo();
    activate(form);
    EXPECT_EQ(focused(), form->txtFields[Codice]);
    type(code);
    press(Qt::Key_Return);
    type("Capannone");
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), form->dtcData[CustomerList]);
    type(customer);
    press(Qt::Key_Return);
    return form;
  }
  static void chooseTemplate(frm_io_Com_New* form, const QString& templateName) {
    EXPECT_EQ(focused(), form->datData[0]);
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), form->dtcData[TemplateList]);
    EXPECT_EQ(form->sb->panelText(1), "F4-Lista , F5-Nuovo");
    type(templateName);
    press(Qt::Key_Return);
  }
};

TEST_F(ComNewTest, SavesTheRowWithItsDefaultsCopiesTheTemplateAndHandsOverToEditing) {
  QPointer<frm_io_Com_New> form = newJob("c'2a");
  EXPECT_EQ(form->windowTitle(), "Commessa");
  EXPECT_EQ(form->cmdSalva->text(), "OK");
  EXPECT_EQ(form->line(Codice)->text(), "C2A") << "upper case, apostrophe dropped";
  EXPECT_EQ(form->datData[0]->date(), QDate(2024, 3, 5)) << "the working date";
  chooseTemplate(form, "Impianto elettrico");
  EXPECT_EQ(focused(), form->cmdSalva);
  press(Qt::Key_Return);
  EXPECT_EVENTUALLY(form.isNull());

  EXPECT_EQ(
      testdb::count(
          cn,
          "SELECT * FROM Commesse WHERE CodCom='C2A' AND DesCom='Capannone' AND DataInizio='2024-03-05' AND "
          "DataFine='2024-03-05' AND DataConPre='2024-03-05' AND DataConsegna='2024-03-05' AND "
          "ScadenzaGaranzia='2024-03-05' AND Prezzo=0 AND Chiusa=0 AND Consegnata=0 AND InGaranzia=0 AND "
          "Attiva=1 AND IdModello=1 AND IdCliente=" +
              QString::number(customerId("Verdi Spa"))),
      1);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre WHERE CodCom='C2A'"), 3);
  EXPECT_EQ(
      testdb::scalar(
          cn,
          "SELECT group_concat(Codice || ':' || Descrizione || ':' || IFNULL(DescEstesa, '-') || ':' || "
          "Ordine || ':' || UM || ':' || Tariffa, ' ') FROM "
          "(SELECT * FROM CommessePre WHERE CodCom='C2A' ORDER BY Ordine)")
          .toString(),
      "V1:Quadro:Quadro da 24 moduli\ncon differenziale:10:PZ:500 V2:Cavi:-:20:MT:2.5 V3:Prese:Prese "
      "schuko:30:PZ:12");
  EXPECT_EQ(refreshes, 0) << "the editing window refreshes the view when it saves";

  const QList<frm_io_Com_Edit*> edits = shown<frm_io_Com_Edit>();
  ASSERT_EQ(edits.size(), 1);
  EXPECT_EQ(edits[0], &forms::SharedInstance<frm_io_Com_Edit>::get());
  EXPECT_EQ(edits[0]->line(Codice)->text(), "C2A");
  EXPECT_EQ(edits[0]->line(Descrizione)->text(), "Capannone");
  EXPECT_EQ(edits[0]->dtcData[CustomerList]->currentText(), "Verdi Spa");
}

TEST_F(ComNewTest, APastedCodeGetsTheUpperCaseAndFilterOfTypedText) {
  QPointer<frm_io_Com_New> form = newJob("a");
  QLineEdit* code = form->line(Codice);
  code->setFocus();
  code->end(false);
  code->insert("c'0b");  // what a paste or a drop does
  type("z");
  EXPECT_EQ(code->text(), "AC0BZ");
  click(form->cmdSalva);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(testdb::rows(cn, "SELECT CodCom FROM Commesse WHERE DesCom='Capannone'"), QStringList{"AC0BZ"});
}

TEST_F(ComNewTest, PlusMakesACustomerOnTheSpotOrLeavesTheListAsItWas) {
  testdb::exec(cn, "DELETE FROM CliFor WHERE Tipo='Cliente'");
  QPointer<frm_io_Com_New> form = new frm_io_Com_New;
  form->Nuovo();
  activate(form);
  press(Qt::Key_Tab);
  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), form->dtcData[CustomerList]);
  EXPECT_EQ(form->dtcData[CustomerList]->count(), 0);

  runModal(
      [&] {
        click(form->cmdAddClient);
        return Variant();
      },
      [](QWidget* w) { click(static_cast<frm_io_Clienti*>(w)->cmdAnnulla); });
  EXPECT_TRUE(messages.isEmpty()) << "\"+\" runs no field rule";
  EXPECT_EQ(form->dtcData[CustomerList]->count(), 0);
  EXPECT_TRUE(form->dtcData[CustomerList]->boundValue().isNull());

  runModal(
      [&] {
        click(form->cmdAddClient);
        return Variant();
      },
      [](QWidget* w) {
        auto* customerForm = static_cast<frm_io_Clienti*>(w);
        type("Neri D'Amico");
        click(customerForm->cmdSalva);
      });
  EXPECT_EQ(form->dtcData[CustomerList]->count(), 1);
  EXPECT_EQ(form->dtcData[CustomerList]->currentText(), "Neri D'Amico");
  EXPECT_EVENTUALLY(focused() == form->datData[0]);
}

TEST_F(ComNewTest, ARefusedJobOrderIsReportedAndKeepsTheWindowWithWhatWasTyped) {
  QPointer<frm_io_Com_New> form = new frm_io_Com_New;
  form->Nuovo();
  activate(form);
  click(form->cmdSalva);
  EXPECT_EQ(messages, QStringList{"Inserire tutti i Dati necessari"}) << "the save checks the customer";
  EXPECT_EQ(focused(), form->dtcData[CustomerList]);
  type("Verdi Spa");
  click(form->cmdSalva);
  ASSERT_EQ(messages.size(), 2);
  EXPECT_EQ(messages[1], "Il campo Codice è obbligatorio.");
  form->unload();
  messages.clear();

  form = newJob("c001");
  chooseTemplate(form, "Impianto elettrico");
  click(form->cmdSalva);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], "Esiste già una Commessa con questo codice.");
  ASSERT_FALSE(form.isNull());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->line(Codice)->text(), "C001");
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre"), 0);
  EXPECT_EQ(testdb::scalar(cn, "SELECT DesCom FROM Commesse WHERE CodCom='C001'").toString(), "Impianto");

  // A template copy that fails takes the job order back with it; once it can run, the same window saves.
  const auto sql = [](const char* statement) {
    db::Connection cn;
    cn.Open(ConnString);
    return sqlite3_exec(cn.handle(), statement, nullptr, nullptr, nullptr);
  };
  ASSERT_EQ(sql("CREATE TRIGGER nocopy BEFORE INSERT ON CommessePre BEGIN SELECT RAISE(ABORT, 'copy "
                "refused'); END"),
            SQLITE_OK);
  form->line(Codice)->setFocus();
  type("C002");
  click(form->cmdSalva);
  ASSERT_EQ(messages.size(), 2);
  EXPECT_TRUE(messages[1].contains("copy refused"));
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Commesse WHERE CodCom='C002'"), 0);
  ASSERT_FALSE(form.isNull());
  sql("DROP TRIGGER nocopy");
  click(form->cmdSalva);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(
      testdb::count(cn, "SELECT * FROM Commesse WHERE CodCom='C002' AND DesCom='Capannone' AND IdModello=1"),
      1);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre WHERE CodCom='C002'"), 3);
}

// Without a template nothing is copied; the hand-over leaves a busy shared editing window alone.
TEST_F(ComNewTest, TheHandOverOpensAFreshEditingWindowWhenTheSharedOneIsBusyAndEscWritesNothing) {
  frm_io_Com_Edit& shared = forms::SharedInstance<frm_io_Com_Edit>::get();
  shared.Apri("C001");
  activate(&shared);
  shared.line(Descrizione)->setFocus();
  type("Modifica in corso");

  QPointer<frm_io_Com_New> form = newJob("C003");
  click(form->cmdSalva);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Commesse WHERE CodCom='C003' AND IdModello IS NULL"), 1);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre"), 0);
  const QList<frm_io_Com_Edit*> edits = shown<frm_io_Com_Edit>();
  ASSERT_EQ(edits.size(), 2);
  EXPECT_EQ(shared.line(Codice)->text(), "C001");
  EXPECT_EQ(shared.line(Descrizione)->text(), "Modifica in corso");
  const frm_io_Com_Edit* fresh = edits[0] == &shared ? edits[1] : edits[0];
  EXPECT_EQ(fresh->line(Codice)->text(), "C003");

  form = newJob("ESC");
  press(Qt::Key_Escape);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Commesse WHERE CodCom='ESC'"), 0);
}

}  // namespace
