#pragma once

#include <vector>

#include "masterdata/MasterDataForm.h"

class QCheckBox;
class QLineEdit;

// Direct activities: a code typed by the user (fixed once saved), a description, the average hourly
// rate and a flag that disables the activity.
class frm_io_Attivita : public MasterDataForm {
  Q_OBJECT

 public:
  explicit frm_io_Attivita(QWidget* parent = nullptr);

  std::vector<QLineEdit*> txtData;
  std::vector<QCheckBox*> chkData;

 protected:
  QString tableName() const override;
  QString recordName() const override { return QStringLiteral("un'Attività"); }
  QString openSql(const Variant& key) const override;
  void setNewRowValues() override;
  void afterOpen() override;
  void takeResult() override;
};
