#pragma once

#include "jobs/JobOrderForm.h"

// A new job order: code, description, customer (made on the spot if need be), start date and an
// optional quotation template whose lines become the job order's quote lines. "OK" writes the job
// order and the copied lines together and hands the job order over to the editing window.
class frm_io_Com_New : public JobOrderForm {
  Q_OBJECT

 public:
  explicit frm_io_Com_New(QWidget* parent = nullptr);

  void Nuovo();

 protected:
  void setNewRowValues() override;
  void writeRecord() override;
  void afterSave() override;
  bool refreshesMainWindow() const override { return false; }
};
