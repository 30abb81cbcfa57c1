#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <vector>

#include "platform/db/Connection.h"
#include "platform/forms/MsgBox.h"
#include "platform/grid/GridEX.h"
#include "platform/runtime/Variant.h"
#include "tests/support/GridInput.h"
#include "tests/support/TestDb.h"

namespace gridtest {

// A fresh database from the template, a shown grid on it, and the message boxes the grid asks.
class GridFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Binds the grid to a query and shows it.
  void bind(const QString& jetSql);

  // The open cell editor of that kind, or nullptr.
  template <class Editor>
  Editor* openEditor() {
    return static_cast<Editor*>(visibleEditor(Editor::staticMetaObject));
  }
  QWidget* visibleEditor(const QMetaObject& type);

  // Clicks a row (-1: the new-row line) in the current column.
  void clickRow(int row);

  QString dbPath;
  QString connString;
  // The test's own connection to the database, for its reads and writes (tests/support/TestDb.h).
  db::Connection cn;
  std::unique_ptr<grid::GridEX> grid;
  std::vector<forms::MsgBoxRequest> messages;
  int answer = forms::vbOK;
};

}  // namespace gridtest
