#pragma once

#include <QDialog>

#include "platform/runtime/Variant.h"

class QCalendarWidget;
class QPushButton;

// A small modal dialog with a month calendar in which the user picks one day.
class comfrmDateSelect : public QDialog {
  Q_OBJECT

 public:
  // Shows the dialog modally with Title as its caption, owned by Owner (the active window when
  // none is given); returns the day chosen with "OK", or Null when the dialog was cancelled or
  // closed. Each call loads a dialog of its own and unloads it before returning.
  static Variant Apri(const QString& Title, QWidget* Owner = nullptr);

  QCalendarWidget* mv;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 private:
  explicit comfrmDateSelect(QWidget* owner);

  Variant m_Result;
};
