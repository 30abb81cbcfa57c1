#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "masterdata/MasterDataForm.h"

class QCheckBox;
class QLabel;
class QLineEdit;

// The windows of the two small lists kept in the table Liste (units of measure, material
// categories). Each row may be the list's default ("Predefinito"): saving a row with the box ticked
// clears the flag on the other rows of the same list and makes it the default that new articles
// receive for the rest of the run.
class ListaForm : public MasterDataForm {
  Q_OBJECT

 public:
  std::vector<QLineEdit*> txtData;
  std::vector<QLabel*> lblData;
  std::vector<QCheckBox*> chkData;

 protected:
  // chiave: the list's rows ("um", "cat"); labels: one text field per label, bound in order to the
  // columns, the first of which is the row's key within its list.
  ListaForm(const QString& chiave, const QStringList& columns, const QStringList& labels, QWidget* parent);

  QString tableName() const override;
  QString openSql(const Variant& key) const override;
  QLineEdit* keyBox() const override { return txtData[0]; }
  void setNewRowValues() override;
  void CollegaCampi() override;
  bool beforeSave() override;
  void afterSave() override;
  Variant savedKey() const override { return Variant(m_Id); }

  // The text that becomes the list's default for new articles.
  virtual void setDefaultGlobal(const QString& text) = 0;
  // Clears the default flag on the other rows of this list, then sets the default global.
  void AzzeraPredefinito(std::int32_t Id);

  std::int32_t m_Id = 0;

 private:
  QString m_chiave;
  QString m_keyColumn;
  // The key the row had when the window opened it.
  QString m_openedKey;
};
