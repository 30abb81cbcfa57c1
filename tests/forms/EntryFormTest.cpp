#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/forms/DatePicker.h"
#include "platform/forms/EntryForm.h"
#include "platform/forms/KeyFilters.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/StatusBar.h"
#include "tests/support/FormTestSupport.h"

namespace {

// A window with one field whose rule refuses the text "NO" with a message, a check box, a date, a
// button that does not check anything itself and a cancel button.
class Probe : public forms::EntryForm {
 public:
  Probe() {
    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : std::initializer_list<QWidget*>{field, check, date, other, plain, cancel})
      layout->addWidget(w);
    layout->addWidget(bar);
    field->setToolTip("Campo di prova");
    setStatusBar(bar);
    setStatusHint(date, "suggerimento");
    setFocusOrder({field, check, date, other, plain, cancel});
    setCancelButton(cancel);
    setEnterMoves(forms::EnterFromTextBoxes | forms::EnterFromCheckBoxes | forms::EnterFromDatePickers);
    setRule(field, [this] {
      if (field->text() != "NO") return true;
      forms::MsgBox("No.");
      return field->text() != "NO";
    });
    setKeyFilter(field, forms::UpperCaseNoApostrophe);
    connect(other, &QPushButton::clicked, [this] { ++otherClicks; });
    connect(cancel, &QPushButton::clicked, [this] {
      ++cancelClicks;
      hide();
    });
  }
  QLineEdit* field = new QLineEdit(this);
  QCheckBox* check = new QCheckBox("Casella", this);
  forms::DatePicker* date = new forms::DatePicker(this);
  QPushButton* other = new QPushButton("Altro", this);
  QLineEdit* plain = new QLineEdit(this);
  QPushButton* cancel = new QPushButton("Annulla", this);
  forms::StatusBar* bar = new forms::StatusBar(2, this);
  int otherClicks = 0;
  int cancelClicks = 0;
};

class EntryFormTest : public ::testing::Test {
 protected:
  // A message box runs an event loop of its own until it is answered.
  void SetUp() override {
    forms::setMsgBoxHandler([this](const forms::MsgBoxRequest& request) {
      messages << request.text;
      if (whileBoxShows) whileBoxShows();
      QEventLoop box;
      QTimer::singleShot(0, &box, &QEventLoop::quit);
      box.exec();
      aliveAfterBox = !probe.isNull();
      return int(forms::vbOK);
    });
    openProbe();
  }
  void openProbe() {
    probe = new Probe;
    probe->showModeless(nullptr);
    QApplication::setActiveWindow(probe);
    ASSERT_TRUE(QTest::qWaitForWindowActive(probe));
  }
  void TearDown() override {
    delete probe;
    forms::setMsgBoxHandler(nullptr);
  }
  static void key(int k) { QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(k)); }
  QPointer<Probe> probe;
  QStringList messages;
  std::function<void()> whileBoxShows;
  bool aliveAfterBox = false;
};

TEST_F(EntryFormTest, EnterWalksTheFocusOrderWithoutTogglingAndPressesButtons) {
  EXPECT_EQ(QApplication::focusWidget(), probe->field);
  EXPECT_EQ(probe->bar->panelText(0), "Campo di prova");
  QTest::keyClicks(probe->field, "a'b");
  EXPECT_EQ(probe->field->text(), "AB");
  key(Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), probe->check);
  EXPECT_EQ(probe->bar->panelText(0), "");
  key(Qt::Key_Enter);
  EXPECT_FALSE(probe->check->isChecked());
  EXPECT_EQ(QApplication::focusWidget(), probe->date);
  EXPECT_EQ(probe->bar->panelText(1), "suggerimento");
  key(Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), probe->other) << "Enter leaves the date picker";
  EXPECT_EQ(probe->bar->panelText(1), "");
  key(Qt::Key_Return);
  EXPECT_EQ(probe->otherClicks, 1);
  EXPECT_EQ(QApplication::focusWidget(), probe->other);
}

TEST_F(EntryFormTest, TabLeavesTheDatePickerInsteadOfWalkingItsSections) {
  probe->date->setFocus();
  key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), probe->other);
}

TEST_F(EntryFormTest, AFailingRuleKeepsTheFocusAndEatsTheClick) {
  QTest::keyClicks(probe->field, "no");
  key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), probe->field);
  QTest::mouseClick(probe->other, Qt::LeftButton);
  EXPECT_EQ(probe->otherClicks, 0);
  EXPECT_EQ(QApplication::focusWidget(), probe->field);
  QTest::mouseClick(probe->plain, Qt::LeftButton);
  EXPECT_EQ(QApplication::focusWidget(), probe->field);

  // The cancel button runs no rule: the window can always be left.
  QTest::mouseClick(probe->cancel, Qt::LeftButton);
  EXPECT_EQ(probe->cancelClicks, 1);
}

// A window unloaded while its rule shows a message lives until the rule has returned; one unloaded
// after a refusal runs no rule on a late move of the focus inside it.
TEST_F(EntryFormTest, AnUnloadedWindowOutlivesItsRuleAndRunsNoOther) {
  QTest::keyClicks(probe->field, "no");
  whileBoxShows = [this] {
    whileBoxShows = nullptr;
    probe->unload();
  };
  probe->other->setFocus();
  EXPECT_EQ(messages, QStringList{"No."});
  EXPECT_TRUE(aliveAfterBox) << "destroyed under its rule";
  EXPECT_EVENTUALLY(probe.isNull());

  openProbe();
  QTest::keyClicks(probe->field, "no");
  key(Qt::Key_Tab);
  ASSERT_EQ(messages.size(), 2);
  probe->unload();
  QApplication::setActiveWindow(probe);  // the window system's activation comes late
  probe->other->setFocus();
  EXPECT_EQ(messages.size(), 2) << "a rule ran for a hidden window";
  EXPECT_EVENTUALLY(probe.isNull());
}

TEST_F(EntryFormTest, APassingRuleLetsTheClickThrough) {
  QTest::keyClicks(probe->field, "si");
  QTest::mouseClick(probe->other, Qt::LeftButton);
  EXPECT_EQ(probe->otherClicks, 1);
  EXPECT_EQ(QApplication::focusWidget(), probe->other);
}

TEST_F(EntryFormTest, EscAndTheCloseBoxPressCancelOnce) {
  key(Qt::Key_Escape);
  EXPECT_EQ(probe->cancelClicks, 1);
  EXPECT_FALSE(probe->isVisible());

  probe->showModeless(nullptr);
  probe->close();
  EXPECT_EQ(probe->cancelClicks, 2);
  EXPECT_FALSE(probe->isVisible());
}

TEST_F(EntryFormTest, ModalShowReturnsWhenTheWindowHides) {
  probe->hide();
  QTimer::singleShot(0, [this] {
    ASSERT_TRUE(QTest::qWaitFor([this] { return probe->isVisible(); }));
    EXPECT_TRUE(probe->isModal());
    probe->cancel->click();
  });
  probe->showModal(nullptr);
  EXPECT_EQ(probe->cancelClicks, 1);
}

}  // namespace
