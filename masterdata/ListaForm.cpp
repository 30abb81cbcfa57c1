#include "masterdata/ListaForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

ListaForm::ListaForm(const QString& chiave, const QStringList& columns, const QStringList& labels,
                     QWidget* parent)
    : MasterDataForm(parent), m_chiave(chiave) {
  auto* grid = new QGridLayout;
  for (qsizetype i = 0; i < columns.size(); ++i) {
    auto* label = new QLabel(labels[i], this);
    auto* box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("txtData%1").arg(i));
    box->setMinimumWidth(220);
    grid->addWidget(label, static_cast<int>(i), 0);
    grid->addWidget(box, static_cast<int>(i), 1);
    lblData.push_back(label);
    txtData.push_back(box);
    binding().bindText(box, columns[i]);
  }
  auto* predefinito = new QCheckBox(QStringLiteral("Predefinito"), this);
  predefinito->setObjectName(QStringLiteral("chkData0"));
  grid->addWidget(predefinito, static_cast<int>(columns.size()), 1);
  chkData.push_back(predefinito);
  binding().bindCheck(predefinito, QStringLiteral("Predefinito"));
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
