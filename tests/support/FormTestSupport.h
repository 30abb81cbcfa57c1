#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>
#include <ostream>

#include "platform/db/Connection.h"
#include "platform/runtime/Variant.h"
#include "tests/support/TestDb.h"

class QTableView;
class QWidget;

// A fresh database behind ConnString for every test with a connection of the test's own on it, the
// defaults of the run cleared, and message boxes answered OK and recorded.
class FormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  db::Connection cn;
  QStringList messages;
};

// Waits until the window is shown and active, so keys reach its focused control.
void activate(QWidget* window);
// The control with the keyboard focus.
QWidget* focused();
// Typing and keys go to the focused control, as the keyboard does.
void type(const QString& text);
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Clicks a widget with the mouse.
void click(QWidget* widget);
// The column headings of the table that its visible sections cut short at the header's font, with
// room for the sort arrow a heading shows when the rows are sorted on its column.
QStringList headingsCutShort(const QTableView* table);
// Runs a modal call and drives the window it opens from inside: drive runs once the modal window is
// active and must close it. The call's result is returned.
Variant runModal(const std::function<Variant()>& call, const std::function<void(QWidget*)>& drive);

// The condition becomes true while events are processed (within five seconds).
#define EXPECT_EVENTUALLY(condition) \
  EXPECT_TRUE(QTest::qWaitFor([&] { return bool(condition); })) << #condition
