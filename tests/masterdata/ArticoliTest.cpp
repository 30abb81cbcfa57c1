#include <QAbstractItemView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <functional>
#include <utility>
#include <vector>

#include "core/Globals.h"
#include "masterdata/frm_io_Articoli_02.h"
#include "masterdata/frm_io_Cat.h"
#include "masterdata/frm_io_Fornitori_01.h"
#include "masterdata/frm_io_IVA.h"
#include "masterdata/frm_io_UM.h"
#include "platform/forms/DataCombo.h"
#include "platform/forms/DatePicker.h"
#include "platform/forms/SharedInstance.h"
#include "platform/forms/StatusBar.h"
#include "tests/support/FormTestSupport.h"

namespace {

enum Field {
  Codice = 0,
  Descrizione = 1,
  Costo = 2,
  Ricarico = 3,
  Note = 4,
  PrezzoIvato = 5,
  Prezzo = 6,
  ImportoIva = 7,
  CodiceArtFor = 8
};
enum List { Categorie = 0, Unita = 1, Fornitori = 2, CodiciIva = 3 };

class ArticoliTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    testdb::exec(cn,
                 "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Esenzione, Aliquota, Predefinito) "
                 "VALUES ('22', 'IVA 22%', False, 22, False)");
    testdb::exec(cn,
                 "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Esenzione, Aliquota, Predefinito) "
                 "VALUES ('10', 'IVA 10%', False, 10, False)");
    testdb::exec(cn,
                 "INSERT INTO Liste (Chiave, Descrizione, Predefinito) VALUES ('cat', 'Ferramenta', False)");
    testdb::exec(
        cn,
        "INSERT INTO Liste (Chiave, Codice, Descrizione, Predefinito) VALUES ('um', 'PZ', 'Pezzi', False)");
    testdb::exec(cn, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Fornitore', 'Ferri Spa')");
    testdb::exec(cn, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Un cliente')");
  }

  // A new article with the VAT code of the run, its code and description typed.
  frm_io_Articoli_02* newArticle(const QString& vat, const QString& code = "A1") {
    DefaultIVA = vat;
    auto* form = new frm_io_Articoli_02;
    form->Nuovo(0);
    activate(form);
    form->line(Codice)->setFocus();
    type(code);
    press(Qt::Key_Tab);
    type("Vite");
    press(Qt::Key_Tab);
    return form;
  }

  // Types an amount into a box and leaves it with Tab.
  static void enter(frm_io_Articoli_02* form, Field field, const QString& amount) {
    form->line(field)->setFocus();
    type(amount);
    press(Qt::Key_Tab);
  }

  static QString shown(frm_io_Articoli_02* form, Field field) { return form->line(field)->text(); }

  // F5 in a look-up list; drive works the linked window it opens and closes it.
  static void pressF5(frm_io_Articoli_02* form, List list, const std::function<void(QWidget*)>& drive) {
    form->dtcData[list]->setFocus();
    EXPECT_EVENTUALLY(focused() == form->dtcData[list]);
    runModal(
        [] {
          press(Qt::Key_F5);
          return Variant();
        },
        drive);
  }

  Currency stored(const QString& column, const QString& code) {
    return testdb::scalar(cn, "SELECT " + column + " FROM Articoli WHERE Codice='" + code + "'").toCurrency();
  }

  void save(QPointer<frm_io_Articoli_02>& form) {
    click(form->cmdSalva);
    EXPECT_EVENTUALLY(form.isNull());
  }
};

TEST_F(ArticoliTest, NewArticleStartsFromTheDefaultsOfTheRun) {
  DefaultCat = "Ferramenta";
  DefaultUM = "PZ";
  DefaultIVA = "22";
  QPointer<frm_io_Articoli_02> form = new frm_io_Articoli_02;
  form->Nuovo(0);
  activate(form);
  EXPECT_EQ(form->windowTitle(), "Materiali");
  EXPECT_EQ(focused(), form->datData[0]);
  EXPECT_EQ(form->datData[0]->date(), QDate(2024, 3, 5));
  for (Field f : {Costo, Prezzo, PrezzoIvato, ImportoIva}) EXPECT_EQ(shown(form, f), "0,00");
  EXPECT_EQ(shown(form, Ricarico), "0");
  EXPECT_EQ(form->dtcData[Categorie]->currentText(), "Ferramenta");
  EXPECT_EQ(form->dtcData[Unita]->currentText(), "Pezzi");
  EXPECT_EQ(form->dtcData[CodiciIva]->currentText(), "IVA 22%");
  EXPECT_EQ(form->dtcData[Fornitori]->count(), 1) << "suppliers only";
  EXPECT_TRUE(form->SSTab1->isTabEnabled(0));
  EXPECT_FALSE(form->SSTab1->isTabEnabled(1));
  EXPECT_FALSE(form->SSTab1->isTabEnabled(2));
  EXPECT_EQ(form->sb->panelText(0), "Data di inserimento articolo");

  QPointer<frm_io_Articoli_02> bare = new frm_io_Articoli_02;
  DefaultCat.clear();
  DefaultUM.clear();
  DefaultIVA.clear();
  bare->Nuovo(0);
  for (auto* list : bare->dtcData) EXPECT_EQ(list->currentText(), "");
}

// The worked examples of the arithmetic: amounts typed in order (each box left with Tab), the
// amounts then shown, and the values saved.
struct Example {
  const char* name;
  const char* vat;
  std::vector<std::pair<Field, QString>> typed;
  std::vector<std::pair<Field, QString>> shown;
  std::vector<std::pair<QString, double>> saved;
};

const Example Examples[] = {
    {"cost 10, mark-up 30, VAT 22",
     "22",
     {{Costo, "10"}, {Ricarico, "30"}},
     {{Prezzo, "13,00"}, {ImportoIva, "2,86"}, {PrezzoIvato, "15,86"}},
     {{"Prezzo", 13}, {"Aliquota", 2.86}, {"PrezzoIvato", 15.86}, {"Ricarico", 30}}},
    {"cost 7,33, mark-up 33, VAT 22: four decimals behind two shown",
     "22",
     {{Costo, "7,33"}, {Ricarico, "33"}},
     {{Prezzo, "9,75"}, {ImportoIva, "2,14"}, {PrezzoIvato, "11,89"}},
     {{"Prezzo", 9.7489}, {"Aliquota", 2.1448}, {"PrezzoIvato", 11.8937}}},
    {"cost 80, price with VAT 122, VAT 22",
     "22",
     {{Costo, "80"}, {PrezzoIvato, "122"}},
     {{Prezzo, "100,00"}, {ImportoIva, "22,00"}, {Ricarico, "25"}},
     {{"Prezzo", 100}, {"Aliquota", 22}, {"PrezzoIvato", 122}, {"Ricarico", 25}}},
    {"cost 80, price 100, VAT 10",
     "10",
     {{Costo, "80"}, {Prezzo, "100"}},
     {{ImportoIva, "10,00"}, {PrezzoIvato, "110,00"}, {Ricarico, "25"}},
     {{"Aliquota", 10}, {"PrezzoIvato", 110}, {"Ricarico", 25}}},
    {"no cost, mark-up 40, price 50, VAT 22: the mark-up stays",
     "22",
     {{Ricarico, "40"}, {Prezzo, "50"}},
     {{ImportoIva, "11,00"}, {PrezzoIvato, "61,00"}, {Ricarico, "40"}},
     {{"Costo", 0}, {"Prezzo", 50}, {"PrezzoIvato", 61}, {"Ricarico", 40}}},
};

TEST_F(ArticoliTest, WorkedExamplesOfThePriceArithmetic) {
  int n = 0;
  for (const Example& example : Examples) {
    SCOPED_TRACE(example.name);
    const QString code = QString("EX%1").arg(++n);
    QPointer<frm_io_Articoli_02> form = newArticle(example.vat, code);
    for (const auto& [field, amount] : example.typed) enter(form, field, amount);
    for (const auto& [field, text] : example.shown) EXPECT_EQ(shown(form, field), text);
    save(form);
    for (const auto& [column, value] : example.saved)
      EXPECT_DOUBLE_EQ(
          testdb::scalar(cn, "SELECT " + column + " FROM Articoli WHERE Codice='" + code + "'").toDouble(),
          value)
          << column.toStdString();
  }
}

TEST_F(ArticoliTest, AnotherVatCodeChangesOnlyTheVatAndThePriceWithVat) {
  QPointer<frm_io_Articoli_02> form = newArticle("22");
  enter(form, Costo, "80");
  enter(form, Prezzo, "100");
  EXPECT_EQ(shown(form, PrezzoIvato), "122,00");

  form->dtcData[CodiciIva]->setFocus();
  press(Qt::Key_F4);
  QAbstractItemView* popup = form->dtcData[CodiciIva]->view();
  EXPECT_EVENTUALLY(popup->isVisible());
  popup->setCurrentIndex(popup->model()->index(0, 0));  // "IVA 10%" sorts first
  QTest::keyClick(popup, Qt::Key_Return);
  EXPECT_EQ(form->dtcData[CodiciIva]->currentText(), "IVA 10%");
  EXPECT_EQ(shown(form, ImportoIva), "10,00");
  EXPECT_EQ(shown(form, PrezzoIvato), "110,00");
  EXPECT_EQ(shown(form, Costo), "80,00");
  EXPECT_EQ(shown(form, Ricarico), "25");
  EXPECT_EQ(shown(form, Prezzo), "100,00");
  save(form);
  EXPECT_EQ(testdb::scalar(cn, "SELECT CodiceIVA FROM Articoli WHERE Codice='A1'").toString(), "10");
}

TEST_F(ArticoliTest, WithoutAVatCodeThePriceWithVatIsThePrice) {
  QPointer<frm_io_Articoli_02> form = newArticle("");
  enter(form, Costo, "10");
  enter(form, Ricarico, "50");
  EXPECT_EQ(shown(form, ImportoIva), "0,00");
  EXPECT_EQ(shown(form, PrezzoIvato), "15,00");
  form->dtcData[CodiciIva]->setFocus();
  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), form->dtcData[CodiciIva]) << "the VAT code cannot be left empty";
  type("IVA 10%");
  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), form->line(Costo));
  EXPECT_EQ(shown(form, PrezzoIvato), "16,50");
}

TEST_F(ArticoliTest, ExistingArticleWorksWithTheRateOfItsCode) {
  testdb::exec(
      cn,
      "INSERT INTO Articoli (Codice, Descrizione, Costo, Ricarico, Prezzo, Aliquota, PrezzoIvato, "
      "CodiceIVA, IdFornitore, DataIns) VALUES ('B2', 'Bullone', 80, 25, 100, 22, 122, '22', " +
          QString::number(testdb::scalar(cn, "SELECT IdCliFor FROM CliFor WHERE Tipo='Fornitore'").toInt()) +
          ", #01/15/24#)");
  QPointer<frm_io_Articoli_02> form = new frm_io_Articoli_02;
  form->Apri(Variant("B2"), 0);
  activate(form);
  EXPECT_FALSE(form->line(Codice)->isEnabled());
  EXPECT_EQ(form->dtcData[Fornitori]->currentText(), "Ferri Spa");
  EXPECT_EQ(form->datData[0]->date(), QDate(2024, 1, 15));
  EXPECT_EQ(shown(form, PrezzoIvato), "122,00");
  enter(form, Prezzo, "200");
  EXPECT_EQ(shown(form, ImportoIva), "44,00") << "the rate of the code shown, not 0";
  EXPECT_EQ(shown(form, PrezzoIvato), "244,00");
  save(form);
  EXPECT_EQ(stored("PrezzoIvato", "B2"), Currency::fromInt(244));
  EXPECT_EQ(testdb::scalar(cn, "SELECT Ricarico FROM Articoli WHERE Codice='B2'").toDouble(), 150.0);
}

TEST_F(ArticoliTest, FieldRulesKeepTheFocus) {
  testdb::exec(cn, "INSERT INTO Articoli (Codice, Descrizione) VALUES ('ESISTE', 'Già qui')");
  QPointer<frm_io_Articoli_02> form = new frm_io_Articoli_02;
  form->Nuovo(0);
  activate(form);
  form->line(Codice)->setFocus();
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->line(Codice)) << "an empty code";
  type("esi'ste");
  EXPECT_EQ(shown(form, Codice), "ESISTE");
  press(Qt::Key_Return);
  EXPECT_EQ(messages, QStringList{"Codice articolo già presente."});
  EXPECT_EQ(focused(), form->line(Codice));
  type("NUOVO");
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->line(Descrizione));
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->line(Descrizione)) << "an empty description";
  type("Rondella");
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->dtcData[Fornitori]);
  EXPECT_EQ(form->sb->panelText(0), "Fornitore Articolo (opzionale)");
  EXPECT_EQ(form->sb->panelText(1), "F4-Lista , F5-Nuovo");
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->line(CodiceArtFor));
  EXPECT_EQ(form->sb->panelText(1), "");
  type("ab'c");
  EXPECT_EQ(shown(form, CodiceArtFor), "ABC");

  enter(form, Costo, "x0");
  EXPECT_EQ(focused(), form->line(Costo)) << "a zero cost";
  EXPECT_EQ(shown(form, Costo), "0");
  form->line(Costo)->clear();
  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), form->line(Costo)) << "an empty cost";
  type("0,00001");
  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), form->line(Costo)) << "zero once in currency";
  form->line(Costo)->selectAll();
  type("2");
  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), form->line(Ricarico));
  EXPECT_EQ(messages.size(), 1) << "the amounts refuse without a message";

  form->txtData[Note]->setFocus();
  type("nota");
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->cmdSalva);
  EXPECT_EQ(static_cast<QPlainTextEdit*>(form->txtData[Note])->toPlainText(), "nota");
}

TEST_F(ArticoliTest, F5CreatesACategoryAndTheListShowsIt) {
  QPointer<frm_io_Articoli_02> form = newArticle("22");
  pressF5(form, Categorie, [](QWidget* w) {
    auto* cat = qobject_cast<frm_io_Cat*>(w);
    ASSERT_NE(cat, nullptr);
    EXPECT_EQ(cat->cmdSalva->text(), "Inserisci");
    type("Bulloneria d'acciaio inox");
    click(cat->cmdSalva);
  });
  EXPECT_FALSE(forms::SharedInstance<frm_io_Cat>::loaded()) << "the category window is unloaded";
  EXPECT_EQ(form->dtcData[Categorie]->count(), 2);
  EXPECT_EQ(form->dtcData[Categorie]->currentText(), "Bulloneria d'acciaio");

  pressF5(form, Categorie, [](QWidget* w) {
    type("Altro");
    click(static_cast<frm_io_Cat*>(w)->cmdAnnulla);
  });
  EXPECT_EQ(form->dtcData[Categorie]->count(), 2);
  EXPECT_EQ(form->dtcData[Categorie]->currentText(), "Bulloneria d'acciaio");
  save(form);
  EXPECT_EQ(testdb::scalar(cn, "SELECT Categoria FROM Articoli WHERE Codice='A1'").toString(),
            "Bulloneria d'acciaio");
}

TEST_F(ArticoliTest, F5CreatesAVatCodeThatTheAmountsFollow) {
  QPointer<frm_io_Articoli_02> form = newArticle("22");
  enter(form, Costo, "100");
  EXPECT_EQ(shown(form, PrezzoIvato), "122,00");
  pressF5(form, CodiciIva, [](QWidget* w) {
    auto* iva = qobject_cast<frm_io_IVA*>(w);
    ASSERT_NE(iva, nullptr);
    type("4");
    press(Qt::Key_Tab);
    type("IVA 4%");
    iva->txtData[2]->setFocus();
    type("4");
    click(iva->cmdSalva);
  });
  EXPECT_EQ(form->dtcData[CodiciIva]->count(), 3);
  EXPECT_EQ(form->dtcData[CodiciIva]->currentText(), "IVA 4%");
  EXPECT_EQ(shown(form, ImportoIva), "4,00");
  EXPECT_EQ(shown(form, PrezzoIvato), "104,00");
  save(form);
  EXPECT_EQ(testdb::scalar(cn, "SELECT CodiceIVA FROM Articoli WHERE Codice='A1'").toString(), "4");
}

TEST_F(ArticoliTest, ModalResultAndRefusedSave) {
  auto* modal = new frm_io_Articoli_02;
  const Variant code = runModal([&] { return modal->Nuovo(1); },
                                [&](QWidget*) {
                                  modal->line(Codice)->setFocus();
                                  type("M1");
                                  press(Qt::Key_Tab);
                                  type("Dado");
                                  click(modal->cmdSalva);
                                });
  EXPECT_EQ(code.toString(), "M1");
  const Variant cancelled =
      runModal([&] { return modal->Nuovo(1); }, [](QWidget*) { press(Qt::Key_Escape); });
  EXPECT_TRUE(cancelled.isNull());
  delete modal;

  QPointer<frm_io_Articoli_02> form = newArticle("22", "RACE");
  testdb::exec(cn, "INSERT INTO Articoli (Codice, Descrizione) VALUES ('RACE', 'Inserito da un altro')");
  click(form->cmdSalva);
  EXPECT_EQ(messages.size(), 1);
  ASSERT_FALSE(form.isNull());
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(shown(form, Descrizione), "Vite");
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM Articoli WHERE Codice='RACE'").toString(),
            "Inserito da un altro");
}

}  // namespace

namespace {

TEST_F(ArticoliTest, F5CreatesAUnitAndASupplierAndTheArgumentPresetsTheSupplier) {
  const int ironworks = testdb::scalar(cn, "SELECT IdCliFor FROM CliFor WHERE Nome='Ferri Spa'").toInt();
  QPointer<frm_io_Articoli_02> preset = new frm_io_Articoli_02;
  preset->Nuovo(0, ironworks);
  activate(preset);
  EXPECT_EQ(preset->dtcData[Fornitori]->currentText(), "Ferri Spa");
  press(Qt::Key_Escape);
  EXPECT_EVENTUALLY(preset.isNull());

  QPointer<frm_io_Articoli_02> form = newArticle("22");
  pressF5(form, Unita, [](QWidget* w) {
    auto* um = qobject_cast<frm_io_UM*>(w);
    ASSERT_NE(um, nullptr);
    type("ml");
    press(Qt::Key_Return);
    type("Millilitri");
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    press(Qt::Key_Return);
  });
  EXPECT_FALSE(forms::SharedInstance<frm_io_UM>::loaded());
  EXPECT_EQ(form->dtcData[Unita]->currentText(), "Millilitri");

  pressF5(form, Fornitori, [](QWidget* w) {
    auto* supplier = qobject_cast<frm_io_Fornitori_01*>(w);
    ASSERT_NE(supplier, nullptr);
    EXPECT_EQ(supplier->windowTitle(), "Nuovo fornitore");
    type("Acciai Nord");
    click(supplier->cmdSalva);
  });
  EXPECT_FALSE(forms::SharedInstance<frm_io_Fornitori_01>::loaded());
  EXPECT_EQ(form->dtcData[Fornitori]->count(), 2);
  EXPECT_EQ(form->dtcData[Fornitori]->currentText(), "Acciai Nord");
  save(form);
  EXPECT_EQ(testdb::scalar(cn, "SELECT UM FROM Articoli WHERE Codice='A1'").toString(), "ML");
  EXPECT_EQ(testdb::scalar(cn, "SELECT IdFornitore FROM Articoli WHERE Codice='A1'").toInt(),
            testdb::scalar(cn, "SELECT IdCliFor FROM CliFor WHERE Nome='Acciai Nord'").toInt());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Tipo FROM CliFor WHERE Nome='Acciai Nord'").toString(), "Fornitore");
}

TEST_F(ArticoliTest, CloseBoxOfALinkedWindowIsACancel) {
  QPointer<frm_io_Articoli_02> form = newArticle("22");
  pressF5(form, CodiciIva, [](QWidget* w) {
    type("9");
    w->close();
  });
  EXPECT_FALSE(forms::SharedInstance<frm_io_IVA>::loaded());
  EXPECT_EQ(form->dtcData[CodiciIva]->count(), 2);
  EXPECT_EQ(form->dtcData[CodiciIva]->currentText(), "IVA 22%");
  EXPECT_EQ(testdb::count(cn, "SELECT CodiceIVA FROM CodiciIVA WHERE CodiceIVA='9'"), 0);
  EXPECT_EVENTUALLY(focused() == form->dtcData[CodiciIva]);
  press(Qt::Key_Escape);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(testdb::count(cn, "SELECT Codice FROM Articoli"), 0);
}

}  // namespace

namespace {

TEST_F(ArticoliTest, EnterWalksTheFocusOrderAndTheStatusBarFollows) {
  DefaultIVA = "22";
  QPointer<frm_io_Articoli_02> form = new frm_io_Articoli_02;
  form->Nuovo(0);
  activate(form);
  const std::vector<std::pair<QWidget*, QString>> order = {
      {form->datData[0], ""},
      {form->txtData[Codice], "C9"},
      {form->txtData[Descrizione], "Chiodo"},
      {form->dtcData[Fornitori], ""},
      {form->txtData[CodiceArtFor], ""},
      {form->dtcData[Categorie], ""},
      {form->dtcData[Unita], ""},
      {form->dtcData[CodiciIva], ""},
      {form->txtData[Costo], "4"},
      {form->txtData[Ricarico], "50"},
      {form->txtData[Prezzo], ""},
      {form->txtData[ImportoIva], ""},
      {form->txtData[PrezzoIvato], ""},
      {form->txtData[Note], ""},
  };
  for (const auto& [control, typed] : order) {
    SCOPED_TRACE(control->objectName().toStdString());
    EXPECT_EQ(focused(), control);
    EXPECT_EQ(form->sb->panelText(0), control->toolTip());
    EXPECT_EQ(form->sb->panelText(1), qobject_cast<forms::DataCombo*>(control) ? "F4-Lista , F5-Nuovo" : "");
    if (!typed.isEmpty()) type(typed);
    press(Qt::Key_Return);
  }
  EXPECT_EQ(focused(), form->cmdSalva);
  EXPECT_EQ(form->sb->panelText(0), "Salva l'articolo");
  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), form->cmdAnnulla);
  EXPECT_EQ(form->sb->panelText(0), "Annulla le modifiche e chiude");
  press(Qt::Key_Backtab);
  press(Qt::Key_Return);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, "SELECT Prezzo FROM Articoli WHERE Codice='C9'").toDouble(), 6.0);
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, "SELECT PrezzoIvato FROM Articoli WHERE Codice='C9'").toDouble(), 7.32);
  EXPECT_EQ(testdb::scalar(cn, "SELECT CodiceIVA FROM Articoli WHERE Codice='C9'").toString(), "22");
}

}  // namespace

namespace {

TEST_F(ArticoliTest, AnAmountTooLargeForMoneyIsReportedAndCannotBeLeft) {
  QPointer<frm_io_Articoli_02> form = newArticle("22");
  enter(form, Costo, "10");
  for (Field field : {Prezzo, Costo}) {
    SCOPED_TRACE(form->txtData[field]->objectName().toStdString());
    messages.clear();
    enter(form, field, "99999999999999999999");
    EXPECT_EQ(messages, QStringList{"Il valore inserito non è valido per questo campo."});
    EXPECT_EQ(focused(), form->txtData[field]);
    form->line(field)->selectAll();
    type("20");
    press(Qt::Key_Tab);
    EXPECT_NE(focused(), form->txtData[field]);
  }
  EXPECT_EQ(shown(form, Prezzo), "40,00") << "cost 20 with the mark-up 100 of price 20 on cost 10";
  save(form);
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, "SELECT Costo FROM Articoli WHERE Codice='A1'").toDouble(), 20.0);
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, "SELECT PrezzoIvato FROM Articoli WHERE Codice='A1'").toDouble(), 48.8);
}

}  // namespace
namespace {

TEST_F(ArticoliTest, ADateTypedWithTheYearInFullIsSavedAsTyped) {
  QPointer<frm_io_Articoli_02> form = newArticle("22");
  form->datData[0]->setFocus();
  EXPECT_EVENTUALLY(focused() == form->datData[0]);
  EXPECT_EQ(form->datData[0]->text(), "05/03/2024");
  type("10062025");
  EXPECT_EQ(form->datData[0]->text(), "10/06/2025");
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->line(Codice));
  save(form);
  EXPECT_EQ(testdb::scalar(cn, "SELECT DataIns FROM Articoli WHERE Codice='A1'").toDate(),
            QDate(2025, 6, 10));
}

}  // namespace

namespace {

TEST_F(ArticoliTest, APriceWithVatBeyondTheMoneyRangeIsRefusedWithAMessage) {
  QPointer<frm_io_Articoli_02> form = newArticle("22");
  enter(form, Costo, "900000000000000");
  EXPECT_EQ(shown(form, Prezzo), "900.000.000.000.000,00");
  EXPECT_EQ(shown(form, ImportoIva), "198.000.000.000.000,00");
  EXPECT_EQ(shown(form, PrezzoIvato), "0,00") << "the sum does not fit: that step is skipped";
  messages.clear();
  click(form->cmdSalva);
  EXPECT_EQ(messages, QStringList{"Il prezzo con IVA supera l'importo massimo ammesso: ridurre il costo o il "
                                  "prezzo di vendita."});
  ASSERT_FALSE(form.isNull()) << "the window stays open";
  EXPECT_EQ(focused(), form->txtData[6]);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Articoli"), 0) << "nothing is written";

  enter(form, Costo, "10");
  save(form);
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, "SELECT PrezzoIvato FROM Articoli WHERE Codice='A1'").toDouble(), 12.2);

  // A rate so large that 100 plus the rate leaves the money range: the price step is skipped.
  testdb::exec(cn,
               "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Esenzione, Aliquota, Predefinito) "
               "VALUES ('X', 'Fuori scala', False, 922337203685470, False)");
  QPointer<frm_io_Articoli_02> huge = newArticle("X", "A2");
  enter(huge, Costo, "10");
  enter(huge, PrezzoIvato, "122");
  EXPECT_EQ(shown(huge, Prezzo), "10,00");
  EXPECT_EQ(shown(huge, ImportoIva), "112,00");
  EXPECT_EQ(shown(huge, Ricarico), "0");
}

}  // namespace

namespace {

// Picks a row of a look-up list with the mouse, from its opened list.
void pickByMouse(forms::DataCombo* list, int row) {
  list->setFocus();
  EXPECT_EVENTUALLY(focused() == list);
  press(Qt::Key_F4);
  QAbstractItemView* popup = list->view();
  EXPECT_EVENTUALLY(popup->isVisible());
  const QRect item = popup->visualRect(popup->model()->index(row, 0));
  QTest::mouseClick(popup->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
  EXPECT_EVENTUALLY(!popup->isVisible());
}

// Suppliers "Rossi Srl" 1, 2 and 3, VAT codes E10 and E15 both described "Esente" and ZZ described
// by nothing: the lists hold rows that show the same text, or none.
TEST_F(ArticoliTest, LookupListsKeepTheRowChosenAmongRowsShowingTheSameText) {
  for (int i = 0; i < 3; ++i)
    testdb::exec(cn, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Fornitore', 'Rossi Srl')");
  const int rossi2 =
      testdb::scalar(cn, "SELECT IdCliFor FROM CliFor WHERE Nome='Rossi Srl' ORDER BY IdCliFor").toInt() + 1;
  testdb::exec(cn, "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Aliquota) VALUES ('E10', 'Esente', 10)");
  testdb::exec(cn, "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Aliquota) VALUES ('E15', 'Esente', 15)");
  testdb::exec(cn, "INSERT INTO CodiciIVA (CodiceIVA, Aliquota) VALUES ('ZZ', 4)");
  testdb::exec(cn,
               "INSERT INTO Articoli (Codice, Descrizione, Costo, Ricarico, Prezzo, Aliquota, PrezzoIvato, "
               "CodiceIVA, IdFornitore, DataIns) VALUES ('D1', 'Dado', 80, 25, 100, 15, 115, 'E15', " +
                   QString::number(rossi2) + ", #01/15/24#)");

  QPointer<frm_io_Articoli_02> form = new frm_io_Articoli_02;
  form->Apri(Variant("D1"), 0);
  activate(form);
  form->dtcData[CodiciIva]->setFocus();
  EXPECT_EVENTUALLY(focused() == form->dtcData[CodiciIva]);
  form->dtcData[CodiciIva]->lineEdit()->selectAll();
  type("esente");
  form->datData[0]->setFocus();
  for (int n = 0; n < 20 && focused() != form->cmdSalva; ++n) press(Qt::Key_Return);
  ASSERT_EQ(focused(), form->cmdSalva);
  EXPECT_EQ(shown(form, PrezzoIvato), "115,00");
  press(Qt::Key_Return);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(testdb::scalar(cn, "SELECT IdFornitore FROM Articoli WHERE Codice='D1'").toInt(), rossi2);
  EXPECT_EQ(testdb::scalar(cn, "SELECT CodiceIVA FROM Articoli WHERE Codice='D1'").toString(), "E15");
  EXPECT_EQ(stored("Aliquota", "D1"), Currency::fromInt(15)) << "the rate of E15, not E10's";

  QPointer<frm_io_Articoli_02> fresh = newArticle("22", "D2");
  forms::DataCombo* suppliers = fresh->dtcData[Fornitori];
  pickByMouse(suppliers, 3);  // after "Ferri Spa", the third "Rossi Srl"
  const Variant picked = suppliers->boundValue();
  EXPECT_EQ(picked.toInt(), rossi2 + 1);
  press(Qt::Key_Tab);
  EXPECT_EQ(suppliers->boundValue(), picked);
  pickByMouse(fresh->dtcData[CodiciIva], 0);  // ZZ shows no text and sorts first
  press(Qt::Key_Tab);
  EXPECT_EQ(focused(), fresh->line(Costo)) << "a row showing no text is a row chosen";
  type("5");
  save(fresh);
  EXPECT_EQ(testdb::scalar(cn, "SELECT IdFornitore FROM Articoli WHERE Codice='D2'").toInt(), rossi2 + 1);
  EXPECT_EQ(testdb::scalar(cn, "SELECT CodiceIVA FROM Articoli WHERE Codice='D2'").toString(), "ZZ");
}

// Walking through price boxes without changing them recomputes nothing: the amounts shown are
// rounded, and working back from them would move the mark-up.
TEST_F(ArticoliTest, WalkingThroughThePriceBoxesChangesNothing) {
  const struct {
    QString cost, markUp;
    double stored;
  } cases[] = {{"7,33", "33", 33.0}, {"0,01", "0,5", 0.5}};
  int n = 0;
  for (const auto& [cost, markUp, markUpStored] : cases) {
    const QString code = QString("W%1").arg(++n);
    QPointer<frm_io_Articoli_02> form = newArticle("22", code);
    enter(form, Costo, cost);
    enter(form, Ricarico, markUp);
    for (int step = 0; step < 4; ++step) press(Qt::Key_Tab);
    click(form->line(Prezzo));
    click(form->line(Costo));
    EXPECT_EQ(focused(), form->line(Costo));
    save(form);
    EXPECT_DOUBLE_EQ(
        testdb::scalar(cn, "SELECT Ricarico FROM Articoli WHERE Codice='" + code + "'").toDouble(),
        markUpStored)
        << code.toStdString();
  }
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, "SELECT Prezzo FROM Articoli WHERE Codice='W1'").toDouble(), 9.7489);
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, "SELECT PrezzoIvato FROM Articoli WHERE Codice='W1'").toDouble(),
                   11.8937);
}

TEST_F(ArticoliTest, AnEmptyDateBoxTakesATypedDate) {
  testdb::exec(cn, "INSERT INTO Articoli (Codice, Descrizione, CodiceIVA) VALUES ('ND', 'Senza data', '22')");
  QPointer<frm_io_Articoli_02> form = new frm_io_Articoli_02;
  form->Apri(Variant("ND"), 0);
  activate(form);
  ASSERT_EQ(focused(), form->datData[0]);
  EXPECT_TRUE(form->datData[0]->value().isNull());
  type("10062025");
  press(Qt::Key_Return);
  EXPECT_EQ(focused(), form->line(Descrizione));
  save(form);
  EXPECT_EQ(testdb::scalar(cn, "SELECT DataIns FROM Articoli WHERE Codice='ND'").toDate(),
            QDate(2025, 6, 10));
}

}  // namespace
