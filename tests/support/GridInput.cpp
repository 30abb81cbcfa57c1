#include "tests/support/GridInput.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "platform/grid/GridEX.h"

void typeInCell(grid::GridEX& g, int row, int column, const QString& text) {
  g.setRow(row);
  g.setCol(column);
  QTest::keyClick(g.view(), Qt::Key_F2);
  // The open editor is the one visible widget on the grid's viewport; an editable list takes the keys
  // itself and passes them on to its line.
  QWidget* editor = nullptr;
  for (QWidget* w : qobject_cast<QAbstractItemView*>(g.view())->viewport()->findChildren<QWidget*>(
           Qt::FindDirectChildrenOnly))
    if (w->isVisible()) editor = w;
  auto* combo = qobject_cast<QComboBox*>(editor);
  QLineEdit* line = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(editor);
  ASSERT_NE(line, nullptr) << "no text editor opened in column " << column;
  line->selectAll();
  if (text.isEmpty())
    QTest::keyClick(editor, Qt::Key_Delete);
  else
    QTest::keyClicks(editor, text);
  QTest::keyClick(editor, Qt::Key_Tab);
}
