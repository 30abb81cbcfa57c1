#include <gtest/gtest.h>

#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "common/comfrmFindRecord.h"
#include "platform/grid/GridEX.h"
#include "platform/runtime/Twips.h"
#include "tests/support/FormTestSupport.h"

namespace {

const QString kJobOrders =
    QStringLiteral("SELECT CodCom as Codice, DesCom as Descrizione FROM Commesse WHERE Chiusa=False");

class FindRecord : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    testdb::exec(cn,
                 "INSERT INTO Commesse (CodCom, IdCliente, DesCom, Chiusa) VALUES "
                 "('K2', 1, 'Bagno', False), ('B7', 1, 'Cucina', False), ('A1', 1, 'Tetto', False), "
                 "('B3', 1, 'Garage', False), ('Z9', 1, 'Chiusa', True)");
  }

  // Runs the finder on the open job orders and lets drive act on the dialog.
  comfrmFindRecord::Result find(const QString& layout, std::int16_t buttons,
                                const std::function<void(comfrmFindRecord*)>& drive,
                                const QString& sql = kJobOrders, const Variant& start = Variant(),
                                std::int16_t keyColumn = 1) {
    comfrmFindRecord::Result result;
    runModal(
        [&] {
          result = comfrmFindRecord::Trova("Trova Commessa", sql, buttons, layout, keyColumn, start);
          return Variant();
        },
        [&](QWidget* dialog) { drive(qobject_cast<comfrmFindRecord*>(dialog)); });
    return result;
  }
};

QString current(comfrmFindRecord* f) { return f->gexFind->value(1).toString(); }

TEST_F(FindRecord, TheLayoutSizesTheDialogAndAHeaderClickSortsAndSearchesThatColumn) {
  const auto chosen = find("1;2220;4440", 1, [](comfrmFindRecord* f) {
    EXPECT_EQ(f->windowTitle(), "Trova Commessa");
    EXPECT_EQ(f->gexFind->column(1)->width(), 2220);
    EXPECT_EQ(f->gexFind->column(2)->width(), 4440);
    EXPECT_EQ(f->width(), TwipsToPixels(2220 + 4440 + 500));
    EXPECT_EQ(f->cmdCancel->x(), TwipsToPixels(PixelsToTwips(f->width()) - 1365));
    EXPECT_EQ(f->lblFindField->text(), "Trova in Codice");
    EXPECT_EQ(f->gexFind->cellText(1, 1), "A1");
    EXPECT_EQ(f->gexFind->column(1)->cellStyle(), "SortedCol");

    QHeaderView* header = qobject_cast<QTableView*>(f->gexFind->view())->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
    EXPECT_EQ(f->lblFindField->text(), "Trova in Descrizione");
    EXPECT_EQ(f->gexFind->cellText(1, 2), "Bagno");
    EXPECT_EQ(f->gexFind->column(1)->cellStyle(), "Default");
    EXPECT_EQ(f->gexFind->column(2)->cellStyle(), "SortedCol");
    EXPECT_EQ(focused(), f->txtFind);
    type("g");
    click(f->cmdInsert);
  });
  EXPECT_EQ(chosen[0], Variant("i"));
  EXPECT_EQ(chosen[1], Variant("B3"));

  find("2;1000;1200", 1, [](comfrmFindRecord* f) {
    EXPECT_EQ(f->width(), TwipsToPixels(6225 + 500)) << "never narrower than the minimum";
    EXPECT_EQ(f->lblFindField->text(), "Trova in Descrizione");
    click(f->cmdCancel);
  });
}

TEST_F(FindRecord, OnlyTheFlaggedButtonsWorkButF5StillAsksForANewRecord) {
  const auto result = find("1;2220;4440", 1, [](comfrmFindRecord* f) {
    EXPECT_TRUE(f->cmdInsert->isEnabled() && f->cmdCancel->isEnabled());
    EXPECT_FALSE(f->cmdNew->isEnabled() || f->cmdEdit->isEnabled());
    f->gexFind->setFocus();
    press(Qt::Key_F5);
  });
  EXPECT_EQ(result[0], Variant("n"));
  EXPECT_TRUE(result[1].isNull());

  // Buttons 4: only "Modifica" (and "Annulla"); the value comes from the key column, here the second.
  const auto edit = find(
      "", 4,
      [](comfrmFindRecord* f) {
        EXPECT_TRUE(f->cmdEdit->isEnabled() && f->cmdCancel->isEnabled());
        EXPECT_FALSE(f->cmdInsert->isEnabled() || f->cmdNew->isEnabled());
        f->gexFind->setRow(2);
        click(f->cmdEdit);
      },
      kJobOrders, Variant(), 2);
  EXPECT_EQ(edit[0], Variant("e"));
  EXPECT_EQ(edit[1], Variant("Garage"));
}

TEST_F(FindRecord, ALetterTypedInTheGridFindsAsYouTypeAndEnterOrDoubleClickChooses) {
  const auto typed = find("1;2220;4440", 1, [](comfrmFindRecord* f) {
    f->gexFind->setFocus();
    type("b");
    EXPECT_EQ(focused(), f->txtFind) << "the letter moved into the find box";
    EXPECT_EQ(f->txtFind->text(), "b");
    EXPECT_EQ(current(f), "B3");
    type("7");
    EXPECT_EQ(current(f), "B7");
    press(Qt::Key_Down);
    EXPECT_EQ(focused(), f->gexFind->view());
    press(Qt::Key_Down);
    EXPECT_EQ(current(f), "K2") << "in the grid the arrows move through the rows";
    press(Qt::Key_Return);
  });
  EXPECT_EQ(typed[0], Variant("i"));
  EXPECT_EQ(typed[1], Variant("K2"));

  const auto doubleClicked = find("1;2220;4440", 1, [](comfrmFindRecord* f) {
    auto* view = qobject_cast<QAbstractItemView*>(f->gexFind->view());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                       view->visualRect(view->model()->index(2, 1)).center());
  });
  EXPECT_EQ(doubleClicked[1], Variant("B7"));
}

TEST_F(FindRecord, EscCancelsAfterAnEarlierChoiceAndNothingIsChosenFromAnEmptyList) {
  const auto chosen = find(
      "1;2220;4440", 1,
      [](comfrmFindRecord* f) {
        EXPECT_EQ(current(f), "B7") << "the start value is found in column 1";
        press(Qt::Key_Return);
      },
      kJobOrders, Variant("b7"));
  EXPECT_EQ(chosen[1], Variant("B7"));

  const auto cancelled = find("1;2220;4440", 1, [](comfrmFindRecord* f) {
    // Becoming active again, after a window over it has gone, empties the find box.
    f->txtFind->setFocus();
    type("k");
    EXPECT_EQ(current(f), "K2");
    {
      QDialog over(f);
      over.show();
      activate(&over);
    }
    activate(f);
    EXPECT_EQ(f->txtFind->text(), "");
    f->gexFind->setFocus();
    press(Qt::Key_Escape);
  });
  EXPECT_EQ(cancelled[0], Variant("c"));
  EXPECT_TRUE(cancelled[1].isNull());

  const auto empty = find(
      "1;2220;4440", 1,
      [](comfrmFindRecord* f) {
        press(Qt::Key_Return);
        click(f->cmdInsert);
        EXPECT_TRUE(f->isVisible()) << "nothing to choose";
        f->close();
      },
      kJobOrders + " AND CodCom='nessuna'");
  EXPECT_EQ(empty[0], Variant("c"));

  const auto broken = comfrmFindRecord::Trova("Trova", "SELECT Nulla FROM Niente", 1, "1;x;-5", 1);
  EXPECT_EQ(broken[0], Variant("c"));
  EXPECT_EQ(messages.size(), 1) << "the database's description is shown";
}

}  // namespace
