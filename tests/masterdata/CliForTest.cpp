#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>

#include "masterdata/frm_io_Clienti.h"
#include "masterdata/frm_io_Fornitori_01.h"
#include "platform/forms/SharedInstance.h"
#include "platform/forms/StatusBar.h"
#include "tests/support/FormTestSupport.h"

namespace {

using CliForTest = FormTest;

TEST_F(CliForTest, NewCustomerCaptionFollowsTheNameAndTheRowIsACustomer) {
  QPointer<frm_io_Clienti> form = new frm_io_Clienti;
  form->Nuovo(0);
  activate(form);
  EXPECT_EQ(form->windowTitle(), "Clienti");
  EXPECT_EQ(form->SSTab1->count(), 1);
  EXPECT_EQ(form->SSTab1->tabText(0), "Generale");
  EXPECT_EQ(focused(), form->txtData[0]);

  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), form->txtData[0]) << "an empty name cannot be left";
  EXPECT_EQ(form->windowTitle(), "Clienti");

  type("Rossi d'Arco Srl");
  press(Qt::Key_Return);
  EXPECT_EQ(form->windowTitle(), "Rossi d'Arco Srl (cliente)");
  EXPECT_EQ(focused(), form->txtData[1]);
  EXPECT_EQ(form->sb->panelText(0), "Indirizzo (Via, Piazza etc.)");
  EXPECT_EQ(form->sb->panelText(1), "");
  type("Via Roma 1");
  for (int i = 1; i < 10; ++i) press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->txtData[10]);
  type("prima riga");
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->cmdSalva) << "Enter in the notes moves on";
  EXPECT_EQ(form->notes()->toPlainText(), "prima riga") << "no line break was typed";
  EXPECT_EQ(form->sb->panelText(0), "") << "the buttons carry no tooltip";
  press(Qt::Key_Return);

  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Tipo FROM CliFor WHERE Nome='Rossi d''Arco Srl'").toString(),
            "Cliente");
  EXPECT_EQ(testdb::scalar(cn, "SELECT Indirizzo FROM CliFor WHERE Nome='Rossi d''Arco Srl'").toString(),
            "Via Roma 1");
  EXPECT_EQ(testdb::scalar(cn, "SELECT Note FROM CliFor WHERE Nome='Rossi d''Arco Srl'").toString(),
            "prima riga");
}

TEST_F(CliForTest, ModalCustomerReturnsTheKeyTheDatabaseAssigned) {
  testdb::exec(cn, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Primo')");
  const Variant id = runModal([] { return forms::SharedInstance<frm_io_Clienti>::get().Nuovo(1); },
                              [](QWidget* w) {
                                auto* form = static_cast<frm_io_Clienti*>(w);
                                EXPECT_EQ(form->cmdSalva->text(), "Inserisci");
                                type("Bianchi");
                                click(form->cmdSalva);
                              });
  forms::SharedInstance<frm_io_Clienti>::unload();
  ASSERT_FALSE(id.isNull());
  EXPECT_EQ(
      testdb::scalar(cn, "SELECT Nome FROM CliFor WHERE IdCliFor=" + QString::number(id.toInt())).toString(),
      "Bianchi");

  const Variant cancelled = runModal([] { return forms::SharedInstance<frm_io_Clienti>::get().Nuovo(1); },
                                     [](QWidget* w) { click(static_cast<frm_io_Clienti*>(w)->cmdAnnulla); });
  forms::SharedInstance<frm_io_Clienti>::unload();
  EXPECT_TRUE(cancelled.isNull());
  EXPECT_EQ(testdb::count(cn, "SELECT IdCliFor FROM CliFor"), 2);
}

TEST_F(CliForTest, SupplierTwinHasItsOwnCaptionsAndNoLabelTooltips) {
  testdb::exec(cn,
               "INSERT INTO CliFor (Tipo, Nome, Email) VALUES ('Fornitore', 'Ferri Spa', 'info@ferri.it')");
  const int id = testdb::scalar(cn, "SELECT IdCliFor FROM CliFor WHERE Nome='Ferri Spa'").toInt();

  QPointer<frm_io_Fornitori_01> fresh = new frm_io_Fornitori_01;
  fresh->Nuovo(0);
  EXPECT_EQ(fresh->windowTitle(), "Nuovo fornitore");
  for (QLabel* label : fresh->findChildren<QLabel*>()) EXPECT_TRUE(label->toolTip().isEmpty());

  QPointer<frm_io_Fornitori_01> open = new frm_io_Fornitori_01;
  open->Apri(Variant(id), 0);
  activate(open);
  EXPECT_EQ(open->windowTitle(), "Ferri Spa (fornitore)");
  EXPECT_TRUE(open->txtData[0]->isEnabled());
  EXPECT_EQ(open->line(9)->text(), "info@ferri.it");
  type("Ferri Nuovi Spa");
  press(Qt::Key_Tab);
  EXPECT_EQ(open->windowTitle(), "Ferri Nuovi Spa (fornitore)");
  click(open->cmdSalva);
  EXPECT_EVENTUALLY(open.isNull());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Nome FROM CliFor WHERE IdCliFor=" + QString::number(id)).toString(),
            "Ferri Nuovi Spa");
  EXPECT_EQ(testdb::scalar(cn, "SELECT Tipo FROM CliFor WHERE IdCliFor=" + QString::number(id)).toString(),
            "Fornitore");

  QPointer<frm_io_Clienti> customer = new frm_io_Clienti;
  customer->Nuovo(0);
  int withTooltip = 0;
  for (QLabel* label : customer->findChildren<QLabel*>()) withTooltip += !label->toolTip().isEmpty();
  EXPECT_EQ(withTooltip, 4) << "name, address, tax code and e-mail labels";
}

TEST_F(CliForTest, ARowChangedMeanwhileIsNotOverwritten) {
  testdb::exec(cn, "INSERT INTO CliFor (Tipo, Nome, Telefono) VALUES ('Cliente', 'Blu', '111')");
  const int id = testdb::scalar(cn, "SELECT IdCliFor FROM CliFor WHERE Nome='Blu'").toInt();
  QPointer<frm_io_Clienti> form = new frm_io_Clienti;
  form->Apri(Variant(id), 0);
  activate(form);
  testdb::exec(cn, "UPDATE CliFor SET Telefono='222' WHERE IdCliFor=" + QString::number(id));
  form->line(6)->setFocus();
  type("333");
  click(form->cmdSalva);
  EXPECT_EQ(messages.size(), 1);
  ASSERT_FALSE(form.isNull());
  EXPECT_EQ(form->line(6)->text(), "333");
  EXPECT_EQ(
      testdb::scalar(cn, "SELECT Telefono FROM CliFor WHERE IdCliFor=" + QString::number(id)).toString(),
      "222");
  press(Qt::Key_Escape);
  EXPECT_EVENTUALLY(form.isNull());
}

TEST_F(CliForTest, TextLongerThanTheColumnCannotBeTyped) {
  QPointer<frm_io_Clienti> form = new frm_io_Clienti;
  form->Nuovo(0);
  EXPECT_EQ(form->line(4)->maxLength(), 5) << "Prov is VARCHAR(5)";
  EXPECT_EQ(form->line(0)->maxLength(), 100);
}

}  // namespace

namespace {

TEST_F(CliForTest, CloseBoxOfAModalCustomerReturnsNullAndWritesNothing) {
  const Variant closed = runModal([] { return forms::SharedInstance<frm_io_Clienti>::get().Nuovo(1); },
                                  [](QWidget* w) {
                                    type("Chiuso");
                                    press(Qt::Key_Tab);
                                    w->close();
                                  });
  forms::SharedInstance<frm_io_Clienti>::unload();
  EXPECT_TRUE(closed.isNull());
  EXPECT_EQ(testdb::count(cn, "SELECT IdCliFor FROM CliFor"), 0);
}

TEST_F(CliForTest, TheWindowHasAFixedSize) {
  QPointer<frm_io_Clienti> form = new frm_io_Clienti;
  form->Nuovo(0);
  activate(form);
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  press(Qt::Key_Escape);
  EXPECT_EVENTUALLY(form.isNull());
}

}  // namespace
