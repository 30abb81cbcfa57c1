#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include "masterdata/frm_io_Attivita.h"
#include "masterdata/frm_io_Imp.h"
#include "platform/forms/StatusBar.h"
#include "tests/support/FormTestSupport.h"

namespace {

using ImpiegatiTest = FormTest;
using AttivitaTest = FormTest;

TEST_F(ImpiegatiTest, RequiredNamesAndARateTypedWithAPoint) {
  QPointer<frm_io_Imp> form = new frm_io_Imp;
  form->Nuovo(0);
  activate(form);
  EXPECT_EQ(form->windowTitle(), "Impiegati");
  for (QLineEdit* box : form->txtData) EXPECT_TRUE(box->text().isEmpty());

  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->txtData[0]) << "the surname is required";
  type("D'Amico");
  EXPECT_EQ(form->txtData[0]->text(), "DAmico") << "the apostrophe is dropped, the case kept";
  press(Qt::Key_Return);
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->txtData[1]) << "the first name is required";
  type("Gian'Luca");
  EXPECT_EQ(form->txtData[1]->text(), "Gian'Luca");
  press(Qt::Key_Return);
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->txtData[2]) << "an empty rate is not a number";
  type("12.5");
  EXPECT_EQ(form->txtData[2]->text(), "12,5");
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->txtNote);
  type("turno: 'A'");
  EXPECT_EQ(form->sb->panelText(0), "");
  click(form->cmdSalva);

  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Nome FROM Impiegati WHERE Cognome='DAmico'").toString(), "Gian'Luca");
  EXPECT_EQ(testdb::scalar(cn, "SELECT Tariffa FROM Impiegati WHERE Cognome='DAmico'").toCurrency(),
            Currency::fromRaw(125000));
  EXPECT_EQ(testdb::scalar(cn, "SELECT Note FROM Impiegati WHERE Cognome='DAmico'").toString(), "turno: 'A'");
}

TEST_F(ImpiegatiTest, ExistingEmployeeKeepsTheSurnameAndModalResultIsTheNewKey) {
  testdb::exec(cn, "INSERT INTO Impiegati (Cognome, Nome, Tariffa) VALUES ('Verdi', 'Anna', 20)");
  const int id = testdb::scalar(cn, "SELECT CodImp FROM Impiegati WHERE Cognome='Verdi'").toInt();
  QPointer<frm_io_Imp> open = new frm_io_Imp;
  open->Apri(Variant(id), 0);
  EXPECT_FALSE(open->txtData[0]->isEnabled());
  EXPECT_EQ(open->txtData[2]->text(), "20");
  EXPECT_EQ(open->txtData[2]->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

  auto* fresh = new frm_io_Imp;
  const Variant key = runModal([&] { return fresh->Nuovo(1); },
                               [&](QWidget*) {
                                 type("Neri");
                                 press(Qt::Key_Tab);
                                 type("Luca");
                                 press(Qt::Key_Tab);
                                 type("18");
                                 click(fresh->cmdSalva);
                               });
  delete fresh;
  ASSERT_FALSE(key.isNull());
  EXPECT_GT(key.toInt(), id);
  EXPECT_EQ(testdb::scalar(cn, "SELECT Cognome FROM Impiegati WHERE CodImp=" + QString::number(key.toInt()))
                .toString(),
            "Neri");
}

TEST_F(AttivitaTest, NewActivityTypedByTheUser) {
  QPointer<frm_io_Attivita> form = new frm_io_Attivita;
  form->Nuovo(0);
  activate(form);
  EXPECT_EQ(form->windowTitle(), "Attività dirette");
  EXPECT_FALSE(form->chkData[0]->isChecked());
  type("mont'01");
  EXPECT_EQ(form->txtData[0]->text(), "MONT01");
  press(Qt::Key_Return);
  type("Montaggio");
  press(Qt::Key_Return);
  type("abc");
  EXPECT_EQ(form->txtData[2]->text(), "") << "letters never reach the rate";
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->txtData[2]);
  type("35,50");
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->cmdSalva);
  press(Qt::Key_Tab);
  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), form->chkData[0]);
  press(Qt::Key_Space);
  press(Qt::Key_Return);
  EXPECT_TRUE(form->chkData[0]->isChecked());
  click(form->cmdSalva);

  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM Attivita WHERE CodAtt='MONT01'").toString(),
            "Montaggio");
  EXPECT_EQ(testdb::scalar(cn, "SELECT TOMO FROM Attivita WHERE CodAtt='MONT01'").toCurrency(),
            Currency::fromRaw(355000));
  EXPECT_TRUE(testdb::scalar(cn, "SELECT Bloccata FROM Attivita WHERE CodAtt='MONT01'").toBool());
}

TEST_F(AttivitaTest, DuplicateOrEmptyCodeIsRefusedByTheDatabaseAndTheFormStays) {
  testdb::exec(
      cn,
      "INSERT INTO Attivita (CodAtt, Descrizione, TOMO, Bloccata) VALUES ('SALD', 'Saldatura', 30, False)");
  QPointer<frm_io_Attivita> form = new frm_io_Attivita;
  form->Nuovo(0);
  activate(form);
  press(Qt::Key_Tab);
  type("Senza codice");
  click(form->cmdSalva);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], "Il campo Codice è obbligatorio.");
  ASSERT_FALSE(form.isNull());

  form->txtData[0]->setFocus();
  type("sald");
  click(form->cmdSalva);
  ASSERT_EQ(messages.size(), 2);
  EXPECT_EQ(messages[1], "Esiste già un'Attività con questo codice.");
  ASSERT_FALSE(form.isNull());
  EXPECT_EQ(form->txtData[1]->text(), "Senza codice");
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM Attivita WHERE CodAtt='SALD'").toString(),
            "Saldatura");
  EXPECT_EQ(testdb::count(cn, "SELECT CodAtt FROM Attivita"), 1);

  QPointer<frm_io_Attivita> open = new frm_io_Attivita;
  open->Apri(Variant("SALD"), 0);
  EXPECT_FALSE(open->txtData[0]->isEnabled());
  EXPECT_EQ(open->txtData[1]->text(), "Saldatura");
}

}  // namespace
