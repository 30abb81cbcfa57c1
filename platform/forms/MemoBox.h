#pragma once

#include <QPlainTextEdit>

namespace forms {

// A multi-line text box with a vertical scroll bar. Tab moves the focus on instead of typing a tab.
class MemoBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit MemoBox(QWidget* parent = nullptr);
};

}  // namespace forms
