#pragma once

#include <QDateEdit>

#include "platform/runtime/Variant.h"

namespace forms {

// A date box with a drop-down calendar. It holds a date or nothing (Null, shown empty); an empty box
// takes a date typed into it too. Tab leaves the box instead of walking through day, month and
// year; the arrow keys do that.
class DatePicker : public QDateEdit {
  Q_OBJECT

 public:
  explicit DatePicker(QWidget* parent = nullptr);

  Variant value() const;
  // Shows the value without raising valueEdited.
  void setValue(const Variant& value);

 signals:
  // The user changed the date.
  void valueEdited();

 protected:
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool m_loading = false;
};

}  // namespace forms
