#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class QLabel;
class QTabWidget;

// The economic summary of one job order, read-only: sales and costs by category for the quoted part,
// the part billed by time and their total, with the labour hours of the two parts.
class frm_show_ComData : public QDialog {
  Q_OBJECT

 public:
  explicit frm_show_ComData(QWidget* parent = nullptr);

  // Fills the window from the database and shows it modally; returns when the user closes it. A
  // database that cannot be read is reported and nothing is shown.
  void Apri(const QString& CodCom);

  QTabWidget* SSTab1;
  // 6·p + k: part p, category k; 18 and 19 the hours of the two parts.
  std::vector<QLabel*> lblData;
  std::vector<QLabel*> lblCap;
};
