#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The small window shown while a report is being printed: where it goes and what is happening.
// "Annulla" only hides it; the print goes on.
class comfrmPrintProgress : public QDialog {
  Q_OBJECT
 public:
  explicit comfrmPrintProgress(QWidget* parent = nullptr);

  QLabel* lblPrintWhere;
  QLabel* lblPercent;
  QPushButton* cmdCancel;
};
