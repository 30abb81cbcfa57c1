#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/frmMain.h"
#include "platform/db/Connection.h"
#include "platform/forms/MsgBox.h"
#include "platform/runtime/Variant.h"
#include "platform/shell/Printers.h"
#include "tests/support/TestDb.h"

class QComboBox;
class QHeaderView;
class QLabel;
class QLineEdit;
class QTableView;
namespace forms {
class ButtonBar;
class StatusBar;
}  // namespace forms
namespace grid {
class GridEX;
}

// The main window started on the test database (testdata), with a scripted printer list and
// message boxes answered by the test.
class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates the window and runs its start, then makes it the active window.
  void start();

  // A control of the window found by its object name; fails the test when there is none.
  template <class Control>
  Control* control(const char* name) const {
    auto* found = w->findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  grid::GridEX* gexView() const;
  QLineEdit* txtFind() const;
  QComboBox* cmbFilter() const;
  QLabel* lblTitle() const;
  forms::ButtonBar* bb() const;
  forms::StatusBar* sb() const;
  QTableView* table() const;
  QHeaderView* header() const;
  // Shows a view through its View menu item.
  void showView(int index);
  // Makes current the first row whose column `key` holds the value; false when none does.
  bool selectRow(const QString& key, const Variant& value);
  // The value of a column in the current row.
  Variant currentValue(const QString& key) const;
  // Clicks the header of the column with that field name.
  void clickHeader(const QString& key);
  // Types text as a user does: each key to the widget that has the focus at that moment.
  void typeText(const QString& text);
  void pressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // The texts of the message boxes shown so far, other than the missing-layout warnings.
  QStringList messages() const;

  std::unique_ptr<frmMain> w;
  // The test's own connection to the database, for its reads and writes (tests/support/TestDb.h).
  db::Connection cn;
  std::vector<forms::MsgBoxRequest> shown;
  int answer = forms::vbYes;
  shell::PrinterList printers{{{"Ufficio", "HP LaserJet 4"}, {"Magazzino", "Epson LX-300"}}, "Ufficio"};
};
