#include "masterdata/ListaForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

ListaForm::ListaForm(const QString& chiave, const QStringList& columns, const QStringList& labels,
                     QWidget* parent)
    : MasterDataForm(parent), m_chiave(chiave) {
  auto* grid = new QGridLayout;
  const int fields = static_cast<int>(columns.size());
  for (int i = 0; i < fields; ++i) {
    const TextRow row = addTextRow(grid, i, i, labels[i], columns[i]);
    row.box->setMinimumWidth(220);
    lblData.push_back(row.label);
    txtData.push_back(row.box);
  }
  chkData.push_back(addCheckRow(grid, fields, QStringLiteral("Predefinito"), QStringLiteral("Predefinito")));
  setEnterMoves(forms::EnterFromTextBoxes | forms::EnterFromCheckBoxes);
  setFields(grid);
}

QString ListaForm::tableName() const { return QStringLiteral("Liste"); }

QString ListaForm::openSql(const Variant& key) const {
  return QStringLiteral("SELECT * FROM Liste WHERE Id=") + QString::number(key.toInt());
}

void ListaForm::setNewRowValues() {
  m_rs.SetValue(QStringLiteral("Chiave"), Variant(m_chiave));
  m_rs.SetValue(QStringLiteral("Predefinito"), Variant(false));
}

void ListaForm::afterSave() {
  if (chkData[0]->isChecked()) AzzeraPredefinito(m_Id);
}

void ListaForm::AzzeraPredefinito(std::int32_t Id) {
  const QString sql = QStringLiteral("UPDATE Liste SET Liste.Predefinito = False") +
                      QStringLiteral(" WHERE Liste.Id<>") + QString::number(Id) +
                      QStringLiteral(" AND Chiave='") + m_chiave + QStringLiteral("'");
  if (executeOnOwnConnection(sql)) setDefaultGlobal(txtData[0]->text());
}
