#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "platform/forms/MsgBox.h"

namespace {

// The message box on screen, once it shows.
QMessageBox* shownBox() {
  QMessageBox* box = nullptr;
  const bool shown = QTest::qWaitFor([&] {
    box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    return box && box->isVisible();
  });
  return shown ? box : nullptr;
}

// Asks a Yes/No question owned by the window and answers it with a key; the box's buttons and its
// place are read while it shows.
int answerWithKey(QWidget* owner, Qt::Key key, QStringList* buttons, QPoint* centre) {
  QTimer::singleShot(0, [=] {
    QMessageBox* box = shownBox();
    if (!box) {
      ADD_FAILURE() << "no message box showed";
      return;
    }
    for (QAbstractButton* b : box->buttons()) *buttons << b->text();
    *centre = box->frameGeometry().center();
    QTest::keyClick(box, key);
    if (!QTest::qWaitFor([box] { return !box->isVisible(); })) {
      ADD_FAILURE() << "the key did not answer the box";
      box->reject();
    }
  });
  return forms::MsgBox("Eliminare?", forms::vbYesNo | forms::vbQuestion | forms::vbDefaultButton2, "Prova",
                       owner);
}

TEST(MsgBoxTest, YesAndNoAnswerFromTheKeyboardAndTheBoxIsCentredOnItsOwner) {
  QWidget owner;
  owner.setGeometry(40, 60, 900, 700);
  owner.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));

  QStringList buttons;
  QPoint centre;
  EXPECT_EQ(answerWithKey(&owner, Qt::Key_S, &buttons, &centre), forms::vbYes);
  EXPECT_EQ(buttons.size(), 2);
  EXPECT_TRUE(buttons.contains("&Sì"));
  EXPECT_TRUE(buttons.contains("&No"));
  EXPECT_LE((centre - owner.frameGeometry().center()).manhattanLength(), 2);

  owner.move(500, 300);
  ASSERT_TRUE(QTest::qWaitFor([&] { return owner.pos() == QPoint(500, 300); }));
  EXPECT_EQ(answerWithKey(&owner, Qt::Key_N, &buttons, &centre), forms::vbNo);
  EXPECT_LE((centre - owner.frameGeometry().center()).manhattanLength(), 2);

  // A short message keeps the whole title in sight.
  int width = 0;
  int titleWidth = 0;
  QTimer::singleShot(0, [&] {
    QMessageBox* box = shownBox();
    if (!box) return;
    QFont bold = box->font();
    bold.setBold(true);
    titleWidth = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
    width = box->width();
    box->accept();
  });
  forms::MsgBox("Fatto", forms::vbOKOnly, "Gestione Commesse di prova", &owner);
  EXPECT_GE(width, titleWidth + 100);

  QWidget hidden;
  hidden.setGeometry(300, 200, 600, 400);
  EXPECT_EQ(answerWithKey(&hidden, Qt::Key_S, &buttons, &centre), forms::vbYes);
  EXPECT_LE((centre - QPoint(599, 399)).manhattanLength(), 2) << "an owner not shown yet";
}

}  // namespace
