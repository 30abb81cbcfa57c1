#pragma once

#include <QString>
#include <vector>

#include "masterdata/MasterDataForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;

// VAT codes: a code typed by the user, a description, the rate in percent, the exemption flag (an
// exempt code has the rate 0) and the default flag (one code is the default of new articles).
class frm_io_IVA : public MasterDataForm {
  Q_OBJECT

 public:
  explicit frm_io_IVA(QWidget* parent = nullptr);

  std::vector<QLineEdit*> txtData;
  std::vector<QLabel*> lblData;
  std::vector<QCheckBox*> chkData;

 protected:
  QString tableName() const override;
  QString recordName() const override { return QStringLiteral("un Codice IVA"); }
  QString openSql(const Variant& key) const override;
  QLineEdit* keyBox() const override { return txtData[0]; }
  void setNewRowValues() override;
  void afterOpen() override;
  void takeResult() override;
  void afterSave() override;

 private:
  void AbilitaAliquota(bool Abilita);
  void AzzeraPredefinito(const QString& Codice);
};
