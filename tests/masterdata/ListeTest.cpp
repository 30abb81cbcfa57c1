#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "core/Globals.h"
#include "masterdata/frm_io_Cat.h"
#include "masterdata/frm_io_UM.h"
#include "platform/forms/SharedInstance.h"
#include "tests/support/FormTestSupport.h"

namespace {

class ListeTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    testdb::exec(
        cn,
        "INSERT INTO Liste (Chiave, Codice, Descrizione, Predefinito) VALUES ('um', 'PZ', 'Pezzi', True)");
    testdb::exec(
        cn,
        "INSERT INTO Liste (Chiave, Codice, Descrizione, Predefinito) VALUES ('um', 'MT', 'Metri', True)");
    testdb::exec(cn,
                 "INSERT INTO Liste (Chiave, Descrizione, Predefinito) VALUES ('cat', 'Ferramenta', True)");
    testdb::exec(cn, "INSERT INTO Liste (Chiave, Descrizione, Predefinito) VALUES ('cat', 'Vernici', False)");
  }
};

TEST_F(ListeTest, NewUnitTypedAsUserSavesAsDefaultAndClearsOnlyUnits) {
  QPointer<frm_io_UM> form = new frm_io_UM;
  EXPECT_TRUE(form->Nuovo(0).isEmpty());
  activate(form);
  EXPECT_EQ(form->windowTitle(), "Unità di Misura");
  EXPECT_EQ(form->cmdSalva->text(), "Salva");
  EXPECT_EQ(focused(), form->txtData[0]);

  type("kg'm");
  EXPECT_EQ(form->txtData[0]->text(), "KGM");
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->txtData[1]);
  type("Chilogrammi");
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->chkData[0]);
  press(Qt::Key_Space);
  EXPECT_TRUE(form->chkData[0]->isChecked());
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->cmdSalva) << "Enter moves on from the check box";
  EXPECT_TRUE(form->chkData[0]->isChecked()) << "Enter never toggles the check box";
  press(Qt::Key_Return);

  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(DefaultUM, "KGM");
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM Liste WHERE Codice='KGM'").toString(), "Chilogrammi");
  EXPECT_TRUE(testdb::scalar(cn, "SELECT Predefinito FROM Liste WHERE Codice='KGM'").toBool());
  EXPECT_EQ(testdb::count(cn, "SELECT Id FROM Liste WHERE Chiave='um' AND Predefinito=True"), 1);
  EXPECT_EQ(testdb::count(cn, "SELECT Id FROM Liste WHERE Chiave='cat' AND Predefinito=True"), 1)
      << "the categories keep their default";
}

TEST_F(ListeTest, ModalUnitReturnsCodeOrNull) {
  auto& um = forms::SharedInstance<frm_io_UM>::get();
  const Variant saved = runModal([&] { return um.Nuovo(1); },
                                 [](QWidget* w) {
                                   auto* form = static_cast<frm_io_UM*>(w);
                                   EXPECT_EQ(form->cmdSalva->text(), "Inserisci");
                                   type("cf");
                                   press(Qt::Key_Tab);
                                   type("Confezioni");
                                   click(form->cmdSalva);
                                 });
  EXPECT_EQ(saved.toString(), "CF");
  EXPECT_FALSE(um.isVisible());
  forms::SharedInstance<frm_io_UM>::unload();
  EXPECT_FALSE(forms::SharedInstance<frm_io_UM>::loaded());
  EXPECT_EQ(DefaultUM, "") << "saved without the default flag";

  auto& again = forms::SharedInstance<frm_io_UM>::get();
  const Variant byEsc = runModal([&] { return again.Nuovo(1); },
                                 [](QWidget*) {
                                   type("xx");
                                   press(Qt::Key_Escape);
                                 });
  EXPECT_TRUE(byEsc.isNull());
  const Variant byCloseBox = runModal([&] { return again.Nuovo(1); },
                                      [](QWidget* w) {
                                        type("yy");
                                        w->close();
                                      });
  EXPECT_TRUE(byCloseBox.isNull());
  forms::SharedInstance<frm_io_UM>::unload();
  EXPECT_EQ(testdb::count(cn, "SELECT Id FROM Liste WHERE Codice IN ('XX', 'YY')"), 0);
}

TEST_F(ListeTest, ExistingUnitKeepsItsCode) {
  const int id = testdb::scalar(cn, "SELECT Id FROM Liste WHERE Codice='MT'").toInt();
  QPointer<frm_io_UM> form = new frm_io_UM;
  form->Apri(Variant(id), 0);
  activate(form);
  EXPECT_FALSE(form->txtData[0]->isEnabled());
  EXPECT_EQ(form->txtData[0]->text(), "MT");
  EXPECT_EQ(focused(), form->txtData[1]);
  type("Metri lineari");
  press(Qt::Key_Escape);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM Liste WHERE Codice='MT'").toString(), "Metri");
}

TEST_F(ListeTest, CategoryTakesTwentyCharactersAndApostrophes) {
  QPointer<frm_io_Cat> form = new frm_io_Cat;
  form->Nuovo(0);
  activate(form);
  EXPECT_EQ(form->windowTitle(), "Categorie Articoli");
  EXPECT_EQ(form->parentWidget(), nullptr);
  type("Materiale d'uso vario e minuteria");
  EXPECT_EQ(form->txtData[0]->text(), "Materiale d'uso vari");
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->cmdSalva);
  form->chkData[0]->click();
  click(form->cmdSalva);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(DefaultCat, "Materiale d'uso vari");
  EXPECT_EQ(
      testdb::scalar(cn, "SELECT Predefinito FROM Liste WHERE Descrizione='Materiale d''uso vari'").toBool(),
      true);
  EXPECT_EQ(testdb::count(cn, "SELECT Id FROM Liste WHERE Chiave='cat' AND Predefinito=True"), 1);
  EXPECT_EQ(testdb::count(cn, "SELECT Id FROM Liste WHERE Chiave='um' AND Predefinito=True"), 2);
}

TEST_F(ListeTest, ExistingCategorySavedWithoutFlagChangesNoOtherRow) {
  DefaultCat = "Ferramenta";
  const int id = testdb::scalar(cn, "SELECT Id FROM Liste WHERE Descrizione='Ferramenta'").toInt();
  QPointer<frm_io_Cat> form = new frm_io_Cat;
  form->Apri(Variant(id), 0);
  activate(form);
  EXPECT_TRUE(form->txtData[0]->isEnabled());
  EXPECT_TRUE(form->chkData[0]->isChecked());
  form->chkData[0]->click();
  type("Utensili");
  click(form->cmdSalva);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(DefaultCat, "Ferramenta");
  EXPECT_FALSE(testdb::scalar(cn, "SELECT Predefinito FROM Liste WHERE Id=" + QString::number(id)).toBool());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM Liste WHERE Id=" + QString::number(id)).toString(),
            "Utensili");
  EXPECT_EQ(testdb::count(cn, "SELECT Id FROM Liste WHERE Chiave='um' AND Predefinito=True"), 2);
}

TEST_F(ListeTest, ALongerStoredCategoryIsShownAndSavedWhole) {
  const QString longer = "Materiale elettrico da quadro";
  testdb::exec(
      cn, "INSERT INTO Liste (Chiave, Descrizione, Predefinito) VALUES ('cat', '" + longer + "', False)");
  const int id = testdb::scalar(cn, "SELECT Id FROM Liste WHERE Descrizione='" + longer + "'").toInt();
  QPointer<frm_io_Cat> form = new frm_io_Cat;
  form->Apri(Variant(id), 0);
  activate(form);
  EXPECT_EQ(form->txtData[0]->text(), longer);
  press(Qt::Key_End);
  type("x");
  EXPECT_EQ(form->txtData[0]->text(), longer) << "no room for more";
  press(Qt::Key_Backspace);
  type(" ");
  EXPECT_EQ(form->txtData[0]->text(), "Materiale elettrico da quadr ");
  press(Qt::Key_Backspace);
  type("o");
  form->chkData[0]->click();
  click(form->cmdSalva);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM Liste WHERE Id=" + QString::number(id)).toString(),
            longer);
  EXPECT_EQ(DefaultCat, longer);
}

// The table has no unique key: the windows refuse a unit code or a category another row of the
// same list has, in any case, and keep what was typed.
TEST_F(ListeTest, AUnitCodeOrACategoryThatExistsIsRefusedAndTheEntriesStay) {
  QPointer<frm_io_UM> unit = new frm_io_UM;
  unit->Nuovo(0);
  activate(unit);
  type("mt");
  press(Qt::Key_Tab);
  type("Metri lineari");
  click(unit->cmdSalva);
  ASSERT_EQ(messages, QStringList{"Esiste già un'Unità di misura con questo codice."});
  ASSERT_FALSE(unit.isNull());
  EXPECT_EQ(unit->txtData[1]->text(), "Metri lineari");
  EXPECT_EQ(focused(), unit->txtData[0]);
  type("ml");
  click(unit->cmdSalva);
  EXPECT_EVENTUALLY(unit.isNull());
  EXPECT_EQ(testdb::count(cn, "SELECT Id FROM Liste WHERE Codice='MT'"), 1);
  EXPECT_EQ(testdb::count(cn, "SELECT Id FROM Liste WHERE Codice='ML' AND Descrizione='Metri lineari'"), 1);

  QPointer<frm_io_Cat> category = new frm_io_Cat;
  category->Nuovo(0);
  activate(category);
  type("VERNICI");
  click(category->cmdSalva);
  ASSERT_EQ(messages.size(), 2);
  EXPECT_EQ(messages[1], "Esiste già una Categoria con questa descrizione.");
  ASSERT_FALSE(category.isNull());
  category->close();

  // An existing category renamed onto another is refused as well; keeping its own name in
  // another case is not.
  const int id = testdb::scalar(cn, "SELECT Id FROM Liste WHERE Descrizione='Ferramenta'").toInt();
  QPointer<frm_io_Cat> existing = new frm_io_Cat;
  existing->Apri(Variant(id), 0);
  activate(existing);
  type("vernici");
  click(existing->cmdSalva);
  ASSERT_EQ(messages.size(), 3);
  EXPECT_EQ(messages[2], messages[1]);
  type("FERRAMENTA");
  click(existing->cmdSalva);
  EXPECT_EVENTUALLY(existing.isNull());
  EXPECT_EQ(testdb::count(cn, "SELECT Id FROM Liste WHERE Chiave='cat'"), 2);
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM Liste WHERE Id=" + QString::number(id)).toString(),
            "FERRAMENTA");
}

}  // namespace
