#pragma once

#include <vector>

#include "masterdata/MasterDataForm.h"

class QLineEdit;
class QPlainTextEdit;

// Employees: surname (fixed once saved), first name, hourly cost rate and notes.
class frm_io_Imp : public MasterDataForm {
  Q_OBJECT

 public:
  explicit frm_io_Imp(QWidget* parent = nullptr);

  // Surname, first name and rate, then the notes box.
  std::vector<QLineEdit*> txtData;
  QPlainTextEdit* txtNote;

 protected:
  QString tableName() const override;
  QString openSql(const Variant& key) const override;
  void afterOpen() override;
  void takeResult() override;
};
