#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "core/Globals.h"
#include "masterdata/frm_io_IVA.h"
#include "platform/forms/SharedInstance.h"
#include "platform/runtime/Colors.h"
#include "tests/support/FormTestSupport.h"

namespace {

class IvaTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    testdb::exec(cn,
                 "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Esenzione, Aliquota, Predefinito) "
                 "VALUES ('22', 'Ordinaria', False, 22, True)");
    testdb::exec(cn,
                 "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Esenzione, Aliquota, Predefinito) "
                 "VALUES ('E15', 'Esente art. 15', True, 0, False)");
  }

  static QColor labelColour(frm_io_IVA* f) { return f->lblData[2]->palette().color(QPalette::WindowText); }
  static QColor boxColour(frm_io_IVA* f) { return f->txtData[2]->palette().color(QPalette::Base); }
};

TEST_F(IvaTest, ExemptionGreysTheRateAndSavesZero) {
  QPointer<frm_io_IVA> form = new frm_io_IVA;
  form->Nuovo(0);
  activate(form);
  EXPECT_EQ(form->windowTitle(), "Codici IVA");
  EXPECT_TRUE(form->txtData[2]->isEnabled()) << "a new code starts with the rate enabled";

  type("n'i10");
  EXPECT_EQ(form->txtData[0]->text(), "NI10");
  press(Qt::Key_Return);
  type("Non imponibile");
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->chkData[0]);
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->txtData[2]);
  type("10.5x");
  EXPECT_EQ(form->txtData[2]->text(), "10,5") << "point to comma, letters dropped";

  form->chkData[0]->click();
  EXPECT_FALSE(form->txtData[2]->isEnabled());
  EXPECT_EQ(form->txtData[2]->text(), "0");
  EXPECT_EQ(labelColour(form), OleColor(colors::vbButtonShadow));
  EXPECT_EQ(boxColour(form), OleColor(colors::vbButtonFace));

  form->chkData[1]->click();
  EXPECT_FALSE(form->txtData[2]->isEnabled()) << "Predefinito follows the exemption too";

  form->chkData[0]->click();
  EXPECT_TRUE(form->txtData[2]->isEnabled());
  EXPECT_EQ(form->txtData[2]->text(), "0") << "unticking does not bring the old rate back";
  EXPECT_EQ(labelColour(form), OleColor(colors::vbButtonText));
  EXPECT_EQ(boxColour(form), OleColor(colors::vbWindowBackground));
  form->chkData[0]->click();

  click(form->cmdSalva);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_TRUE(testdb::scalar(cn, "SELECT Esenzione FROM CodiciIVA WHERE CodiceIVA='NI10'").toBool());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Aliquota FROM CodiciIVA WHERE CodiceIVA='NI10'").toDouble(), 0.0);
  EXPECT_EQ(DefaultIVA, "NI10");
  EXPECT_EQ(testdb::count(cn, "SELECT CodiceIVA FROM CodiciIVA WHERE Predefinito=True"), 1);
  EXPECT_TRUE(testdb::scalar(cn, "SELECT Predefinito FROM CodiciIVA WHERE CodiceIVA='NI10'").toBool())
      << "the new default keeps its flag";
  EXPECT_FALSE(testdb::scalar(cn, "SELECT Predefinito FROM CodiciIVA WHERE CodiceIVA='22'").toBool())
      << "the former default loses it";
}

TEST_F(IvaTest, RateThatIsNotANumberKeepsTheFocusButCancelStillWorks) {
  QPointer<frm_io_IVA> form = new frm_io_IVA;
  form->Nuovo(0);
  activate(form);
  type("X");
  form->txtData[2]->setFocus();
  EXPECT_EVENTUALLY(focused() == form->txtData[2]);
  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), form->txtData[2]) << "an empty rate cannot be left";
  type("1,2,3");
  click(form->cmdSalva);
  EXPECT_EQ(focused(), form->txtData[2]);
  EXPECT_FALSE(form.isNull()) << "the click on Salva is not carried out";
  EXPECT_EQ(testdb::count(cn, "SELECT CodiceIVA FROM CodiciIVA WHERE CodiceIVA='X'"), 0);
  click(form->cmdAnnulla);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(testdb::count(cn, "SELECT CodiceIVA FROM CodiciIVA"), 2);
}

TEST_F(IvaTest, OpeningShowsTheRateAsTheExemptionSays) {
  QPointer<frm_io_IVA> exempt = new frm_io_IVA;
  exempt->Apri(Variant("E15"), 0);
  EXPECT_FALSE(exempt->txtData[0]->isEnabled());
  EXPECT_FALSE(exempt->txtData[2]->isEnabled());
  EXPECT_EQ(labelColour(exempt), OleColor(colors::vbButtonShadow));

  QPointer<frm_io_IVA> ordinary = new frm_io_IVA;
  ordinary->Apri(Variant("22"), 0);
  EXPECT_TRUE(ordinary->txtData[2]->isEnabled());
  EXPECT_EQ(ordinary->txtData[2]->text(), "22,00");
  EXPECT_EQ(ordinary->txtData[2]->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST_F(IvaTest, SavingWithoutTheFlagLeavesTheOtherCodes) {
  DefaultIVA = "22";
  const Variant code = runModal([] { return forms::SharedInstance<frm_io_IVA>::get().Nuovo(1); },
                                [](QWidget* w) {
                                  auto* form = static_cast<frm_io_IVA*>(w);
                                  type("4");
                                  form->txtData[2]->setFocus();
                                  type("4");
                                  click(form->cmdSalva);
                                });
  forms::SharedInstance<frm_io_IVA>::unload();
  EXPECT_EQ(code.toString(), "4");
  EXPECT_EQ(DefaultIVA, "22");
  EXPECT_TRUE(testdb::scalar(cn, "SELECT Predefinito FROM CodiciIVA WHERE CodiceIVA='22'").toBool());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Aliquota FROM CodiciIVA WHERE CodiceIVA='4'").toDouble(), 4.0);
}

TEST_F(IvaTest, RefusedSaveKeepsTheFormAndTheEntries) {
  QPointer<frm_io_IVA> form = new frm_io_IVA;
  form->Nuovo(0);
  activate(form);
  type("22");
  press(Qt::Key_Tab);
  type("Doppione");
  form->txtData[2]->setFocus();
  type("10");
  click(form->cmdSalva);
  ASSERT_EQ(messages.size(), 1) << "the database's refusal is shown";
  EXPECT_EQ(messages[0], "Esiste già un Codice IVA con questo codice.");
  ASSERT_FALSE(form.isNull());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->txtData[1]->text(), "Doppione");
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM CodiciIVA WHERE CodiceIVA='22'").toString(),
            "Ordinaria");

  // Without a code the field is named by its caption, never by the engine's text.
  form->txtData[0]->setFocus();
  press(Qt::Key_Backspace);
  click(form->cmdSalva);
  ASSERT_EQ(messages.size(), 2);
  EXPECT_EQ(messages[1], "Il campo Codice è obbligatorio.");
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CodiciIVA WHERE CodiceIVA IS NULL OR CodiceIVA=''"), 0);

  // The user corrects the code and the same window saves.
  form->txtData[0]->setFocus();
  type("23");
  click(form->cmdSalva);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM CodiciIVA WHERE CodiceIVA='23'").toString(),
            "Doppione");
}

}  // namespace
