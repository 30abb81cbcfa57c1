#pragma once

#include <QString>
#include <vector>

#include "jobs/JobOrderForm.h"

class QCheckBox;

// Editing of one job order: description, customer, person in charge, planned dates, the hourly rate
// of work billed by time, notes, and the three state flags, each of which enables its date when
// clicked. F8 shows the economic summary, F9 the quote lines. "Salva" writes the row and re-reads the
// main window's view.
class frm_io_Com_Edit : public JobOrderForm {
  Q_OBJECT

 public:
  explicit frm_io_Com_Edit(QWidget* parent = nullptr);

  void Apri(const QString& CodCom);

  // chkField i enables datData i + 2.
  std::vector<QCheckBox*> chkField;
  QPushButton* cmd_Info;
  QPushButton* cmd_Prev;
  QPushButton* cmd_OtherData;
  QPushButton* Command2;

 protected:
  void afterOpen() override;

 private:
  void buildFields();
  void chkField_Click(int Index);
  void cmd_Info_Click();
  void cmd_Prev_Click();

  QString m_CodCom;
};
