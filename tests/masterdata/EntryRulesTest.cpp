#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "masterdata/frm_io_Articoli_02.h"
#include "masterdata/frm_io_Cat.h"
#include "masterdata/frm_io_Clienti.h"
#include "masterdata/frm_io_IVA.h"
#include "masterdata/frm_io_UM.h"
#include "platform/forms/DataCombo.h"
#include "tests/support/FormTestSupport.h"

namespace {

using EntryRulesTest = FormTest;

// A new article with its code and description typed, the focus left in the description.
frm_io_Articoli_02* newArticle() {
  auto* article = new frm_io_Articoli_02;
  article->Nuovo(0);
  activate(article);
  article->line(0)->setFocus();
  type("A1");
  press(Qt::Key_Tab);
  type("Vite");
  return article;
}

// A press on the cancel button that is not a click: the mouse leaves the button before the release.
void pressButNotClick(QPushButton* button) {
  QTest::mousePress(button, Qt::LeftButton);
  QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(-20, -20));
}

// The rule of the field left for the cancel button is still owed: a click on "Salva" runs it, and
// the row is not written while it fails.
TEST_F(EntryRulesTest, ARuleSkippedForTheCancelButtonRunsBeforeTheSave) {
  QPointer<frm_io_IVA> vat = new frm_io_IVA;
  vat->Nuovo(0);
  activate(vat);
  type("X1");
  vat->txtData[2]->setFocus();
  pressButNotClick(vat->cmdAnnulla);
  EXPECT_EQ(focused(), vat->cmdAnnulla);
  click(vat->cmdSalva);
  EXPECT_EQ(focused(), vat->txtData[2]) << "a VAT code with no rate";
  EXPECT_FALSE(vat.isNull());
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CodiciIVA WHERE CodiceIVA='X1'"), 0);
  type("4");
  click(vat->cmdSalva);
  EXPECT_EVENTUALLY(vat.isNull());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Aliquota FROM CodiciIVA WHERE CodiceIVA='X1'").toDouble(), 4.0);

  QPointer<frm_io_Clienti> customer = new frm_io_Clienti;
  customer->Nuovo(0);
  activate(customer);
  pressButNotClick(customer->cmdAnnulla);
  click(customer->txtData[1]);
  EXPECT_EQ(focused(), customer->txtData[0]) << "a customer with no name, moving to the address";
  pressButNotClick(customer->cmdAnnulla);
  click(customer->cmdSalva);
  EXPECT_EQ(focused(), customer->txtData[0]);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CliFor"), 0);

  QPointer<frm_io_Articoli_02> article = newArticle();
  article->line(2)->setFocus();
  pressButNotClick(article->cmdAnnulla);
  click(article->cmdSalva);
  EXPECT_EQ(focused(), article->line(2)) << "an article with no cost";
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Articoli"), 0);
  click(article->cmdAnnulla);
  EXPECT_EVENTUALLY(article.isNull());
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Articoli"), 0);
}

// A click into a text box selects its whole text, as Tab does: typing replaces the amount shown.
TEST_F(EntryRulesTest, AClickIntoATextBoxSelectsItsText) {
  QPointer<frm_io_Articoli_02> article = newArticle();
  click(article->line(2));
  EXPECT_EQ(article->line(2)->selectedText(), "0,00");
  type("80");
  click(article->line(3));
  type("25");
  press(Qt::Key_Tab);
  EXPECT_EQ(article->line(6)->text(), "100,00");
  click(article->cmdSalva);
  EXPECT_EVENTUALLY(article.isNull());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Costo FROM Articoli WHERE Codice='A1'").toDouble(), 80.0);
}

// A linked row made with F5 and saved with nothing typed would be a row without its key: it is
// refused with a message naming the field, and nothing is written.
TEST_F(EntryRulesTest, ALinkedRowWithAnEmptyKeyIsRefused) {
  QPointer<frm_io_Articoli_02> article = new frm_io_Articoli_02;
  article->Nuovo(0);
  activate(article);
  const auto f5 = [&](int list, const QString& expected) {
    article->dtcData[list]->setFocus();
    EXPECT_EVENTUALLY(focused() == article->dtcData[list]);
    runModal(
        [] {
          press(Qt::Key_F5);
          return Variant();
        },
        [&](QWidget* w) {
          QPushButton* save = w->findChild<QPushButton*>("cmdSalva");
          click(save);
          EXPECT_TRUE(w->isVisible());
          EXPECT_EQ(messages.value(messages.size() - 1), expected);
          press(Qt::Key_Escape);
        });
  };
  f5(1, "Il campo Codice è obbligatorio.");
  f5(0, "Il campo Descrizione è obbligatorio.");
  f5(3, "Il campo Codice è obbligatorio.");
  EXPECT_EQ(messages.size(), 3);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Liste"), 0);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CodiciIVA"), 0);
}

}  // namespace
