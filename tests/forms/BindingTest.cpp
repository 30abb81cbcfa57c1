#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/forms/DataCombo.h"
#include "platform/forms/DatePicker.h"
#include "platform/forms/RecordBinding.h"
#include "tests/support/TestEnv.h"

namespace {

// One article row in a fresh database, edited through bound controls.
class BindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cn.Open(testenv::connectionString(testenv::freshDatabase()));
    cn.Execute("INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Aliquota) VALUES ('22', 'Ordinaria', 22)");
    cn.Execute("INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Aliquota) VALUES ('4', 'Ridotta', 4)");
    cn.Execute(
        "INSERT INTO Articoli (Codice, Descrizione, Costo, Ricarico, CodiceIVA, DataIns) "
        "VALUES ('0012', 'Vite', 1234.5, 12.5, '22', #03/05/24#)");
    rows.Open("SELECT * FROM Articoli WHERE Codice='0012'", cn, db::adOpenStatic, db::adLockBatchOptimistic,
              db::adCmdText);
    codes.Open("SELECT CodiceIVA, Descrizione FROM CodiciIVA ORDER BY Descrizione", cn);
    list.setBoundColumn("CodiceIVA");
    list.setListField("Descrizione");
    list.setRowSource(codes);
    binding.bindText(&code, "Codice");
    binding.bindText(&cost, "Costo", "##,##0.00;-##,##0.00;0.00");
    binding.bindText(&markUp, "Ricarico");
    binding.bindText(&notes, "Note");
    binding.bindDate(&date, "DataIns");
    binding.bindList(&list, "CodiceIVA");
    binding.connectTo(&rows);
  }

  // The row as the database holds it after the pending edit is written.
  Variant saved(const QString& column) {
    rows.UpdateBatch();
    db::Recordset check;
    check.Open("SELECT " + column + " FROM Articoli WHERE Codice='0012'", cn);
    return check.Value(0);
  }

  static void typeInto(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClicks(box, text);
  }

  db::Connection cn;
  db::Recordset rows;
  db::Recordset codes;
  forms::RecordBinding binding;
  QLineEdit code, cost, markUp, dateText;
  QPlainTextEdit notes;
  forms::DatePicker date;
  forms::DataCombo list;
};

TEST_F(BindingTest, ControlsShowTheRowInTheirFormatsAndLimits) {
  EXPECT_EQ(code.text(), "0012") << "text is shown as stored";
  EXPECT_EQ(code.maxLength(), 40);
  EXPECT_EQ(cost.text(), "1.234,50");
  EXPECT_EQ(cost.maxLength(), 32767) << "no limit on a number";
  EXPECT_EQ(markUp.text(), "12,5");
  EXPECT_EQ(notes.toPlainText(), "");
  EXPECT_EQ(date.date(), QDate(2024, 3, 5));
  EXPECT_EQ(list.currentText(), "Ordinaria");
}

TEST_F(BindingTest, TypedTextReachesTheRowOnlyWhenCommitted) {
  typeInto(&cost, "2.000,125");
  EXPECT_EQ(rows.Value("Costo").toCurrency(), Currency::fromRaw(12345000)) << "not yet committed";
  EXPECT_TRUE(binding.commit(&cost));
  EXPECT_EQ(cost.text(), "2.000,13");
  EXPECT_EQ(saved("Costo").toCurrency(), Currency::fromRaw(20001250));

  typeInto(&markUp, "abc");
  EXPECT_FALSE(binding.commit(&markUp)) << "text that is not a number";
  EXPECT_EQ(markUp.text(), "abc");
  EXPECT_EQ(binding.commitAll(), &markUp);
  typeInto(&markUp, "");
  QTest::keyClick(&markUp, Qt::Key_Backspace);
  EXPECT_EQ(binding.commitAll(), nullptr);
  EXPECT_TRUE(saved("Ricarico").isNull()) << "an emptied box stores Null";
}

TEST_F(BindingTest, DatesTypedWithATwoDigitYearFallInThisCentury) {
  binding.bindText(&dateText, "DataIns");
  binding.connectTo(&rows);
  typeInto(&dateText, "7/12/26");
  EXPECT_TRUE(binding.commit(&dateText));
  EXPECT_EQ(saved("DataIns").toDate(), QDate(2026, 12, 7));
}

TEST_F(BindingTest, PickedValuesAreWrittenAtOnce) {
  list.setFocus();
  list.lineEdit()->selectAll();
  QTest::keyClicks(list.lineEdit(), "ridotta");
  EXPECT_EQ(rows.Value("CodiceIVA").toString(), "4") << "the typed text names a row, case aside";
  date.setFocus();
  QTest::keyClick(&date, Qt::Key_Up);
  EXPECT_EQ(rows.Value("DataIns").toDate(), QDate(2024, 3, 6));
  EXPECT_EQ(saved("CodiceIVA").toString(), "4");
}

TEST_F(BindingTest, LookupListSettlesTypedText) {
  list.lineEdit()->setText("Nessuna");
  list.settleTypedText();
  EXPECT_EQ(list.currentText(), "Ordinaria") << "unknown text gives way to the row held";
  EXPECT_EQ(list.boundValue().toString(), "22");

  list.setBoundValue(Variant("inesistente"));
  EXPECT_EQ(list.currentText(), "");
  EXPECT_TRUE(list.boundValue().isNull());

  list.setBoundValue(Variant("4"));
  codes.Requery();
  list.setRowSource(codes);
  EXPECT_EQ(list.currentText(), "Ridotta") << "reloading keeps the value held";

  list.setFocus();
  list.lineEdit()->selectAll();
  QTest::keyClick(list.lineEdit(), Qt::Key_Backspace);
  EXPECT_TRUE(list.boundValue().isNull());
  EXPECT_TRUE(rows.Value("CodiceIVA").isNull());
}

TEST_F(BindingTest, DatePickerHoldsNull) {
  binding.setValue("DataIns", Variant::null());
  EXPECT_TRUE(date.value().isNull());
  EXPECT_EQ(date.text().trimmed(), "");
  date.setValue(Variant(QDate(2024, 12, 31)));
  EXPECT_EQ(date.value().toDate(), QDate(2024, 12, 31));
}

}  // namespace
