#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "common/comfrmManData.h"
#include "platform/grid/GridEX.h"
#include "platform/runtime/Twips.h"
#include "tests/support/FormTestSupport.h"
#include "tests/support/GridInput.h"

namespace {

const QStringList kTables = {"Commesse",  "CommessePre", "PreModelli", "PreVoci",   "Costi",    "CliFor",
                             "Impiegati", "Articoli",    "Liste",      "CodiciIVA", "Attivita", "_Pars"};

class ManDataTest : public FormTest {
 protected:
  void open() {
    form = new comfrmManData;
    form->show();
    activate(form);
  }
  // Picks a table in the list with the keyboard, as the user does.
  void choose(const QString& table) {
    const int entry = form->cmbTables->findText(table);
    ASSERT_GE(entry, 0) << table.toStdString();
    form->cmbTables->setFocus();
    form->cmbTables->setCurrentIndex(entry - 1);
    QTest::keyClick(form->cmbTables, Qt::Key_Down);
  }
  QStringList captions() const {
    QStringList out;
    for (int c = 1; c <= form->gexTable->columnCount(); ++c) out << form->gexTable->column(c)->caption();
    return out;
  }

  comfrmManData* form = nullptr;
};

TEST_F(ManDataTest, ListsTheTablesWithoutTheSavedQueryAndShowsTheChosenOne) {
  testdb::exec(cn, "INSERT INTO _Pars (k01, k02) VALUES ('gridlayout', 'gex_cli')");
  open();
  EXPECT_EQ(form->windowTitle(), "Tabelle");
  QStringList listed;
  for (int i = 0; i < form->cmbTables->count(); ++i) listed << form->cmbTables->itemText(i);
  EXPECT_EQ(listed, kTables);
  EXPECT_EQ(form->cmbTables->currentIndex(), -1);
  EXPECT_TRUE(form->picBottom->isVisible());
  EXPECT_FALSE(form->gexTable->isEnabled());
  EXPECT_EQ(form->gexTable->recordNavigatorString(), "Record:|di");
  EXPECT_EQ(form->gexTable->groupByBoxText(), "Trascinare qui una colonna per raggruppare.");

  choose("_Pars");
  EXPECT_FALSE(form->picBottom->isVisible());
  EXPECT_TRUE(form->gexTable->isEnabled());
  EXPECT_EQ(focused(), form->gexTable->view());
  EXPECT_EQ(captions(), (QStringList{"k01", "k02", "l01", "s01", "m01"}));
  EXPECT_EQ(form->gexTable->recordCount(), 6) << "the layout row and the five cost categories";

  choose("CodiciIVA");
  EXPECT_EQ(captions(), (QStringList{"CodiceIVA", "Descrizione", "Esenzione", "Aliquota", "Predefinito"}));
  EXPECT_EQ(form->gexTable->recordCount(), 0);
  EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();

  form->resize(40, 300);
  EXPECT_GE(form->width(), TwipsToPixels(comfrmManData::kMinWidth));
  EXPECT_EQ(form->gexTable->geometry(), form->picBottom->geometry());
}

TEST_F(ManDataTest, EveryHeadingOfEveryTableShowsWhole) {
  open();
  for (const QString& table : kTables) {
    choose(table);
    EXPECT_EQ(headingsCutShort(qobject_cast<QTableView*>(form->gexTable->view())), QStringList())
        << table.toStdString();
  }
}

TEST_F(ManDataTest, ACostCategoryAddedHereIsOfferedToTheCostEntry) {
  open();
  choose("_Pars");
  typeInCell(form->gexTable, -1, 1, "catcos");
  typeInCell(form->gexTable, -1, 3, "6");
  typeInCell(form->gexTable, -1, 4, "Smaltimento rifiuti");
  ASSERT_TRUE(form->gexTable->updateRow());
  EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
  // The cost entry's list of other-cost categories.
  EXPECT_EQ(testdb::scalar(cn, "SELECT l01 FROM _Pars WHERE k01='catcos' AND s01='Smaltimento rifiuti'"),
            Variant(std::int32_t(6)));
  EXPECT_EQ(testdb::count(cn, "SELECT l01, s01 FROM _Pars WHERE k01='catcos' ORDER BY s01"), 6);
  EXPECT_EQ(form->gexTable->recordCount(), 6);
}

TEST_F(ManDataTest, AChangeTheDatabaseRefusesIsReportedAndTheBrowserStaysUsable) {
  testdb::exec(cn, "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Aliquota) VALUES ('22', 'Ordinaria', 22)");
  testdb::exec(cn, "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Aliquota) VALUES ('10', 'Ridotta', 10)");
  open();
  choose("CodiciIVA");
  typeInCell(form->gexTable, 2, 1, "22");
  EXPECT_FALSE(form->gexTable->updateRow());
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains("Esiste già una registrazione con questo valore di CodiceIVA."))
      << messages[0].toStdString();
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CodiciIVA WHERE CodiceIVA='10'"), 1);
  form->gexTable->view()->setFocus();
  QTest::keyClick(form->gexTable->view(), Qt::Key_Escape);
  EXPECT_FALSE(form->gexTable->rowPending());
  EXPECT_TRUE(form->isVisible());

  typeInCell(form->gexTable, -1, 2, "Senza codice");
  EXPECT_FALSE(form->gexTable->updateRow());
  EXPECT_EQ(messages.size(), 2);
  EXPECT_TRUE(messages.last().contains("CodiceIVA")) << messages.last().toStdString();
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CodiciIVA"), 2);
  form->gexTable->cancelRow();

  typeInCell(form->gexTable, 2, 2, "Ridotta alimentari");
  EXPECT_TRUE(form->gexTable->updateRow());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM CodiciIVA WHERE CodiceIVA='10'"),
            Variant("Ridotta alimentari"));

  // Esc on the window, or closing it, with a row the database refuses keeps the window open.
  typeInCell(form->gexTable, 1, 1, "10");
  QTest::keyClick(form, Qt::Key_Escape);
  EXPECT_TRUE(form->isVisible());
  form->close();
  EXPECT_TRUE(form->isVisible());
  form->gexTable->cancelRow();
  form->close();
  EXPECT_FALSE(form->isVisible());
}

}  // namespace
