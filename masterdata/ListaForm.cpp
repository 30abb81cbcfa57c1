#include "masterdata/ListaForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/comUtility.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/forms/MsgBox.h"

ListaForm::ListaForm(const QString& chiave, const QStringList& columns, const QStringList& labels,
                     QWidget* parent)
    : MasterDataForm(parent), m_chiave(chiave), m_keyColumn(columns[0]) {
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

void ListaForm::CollegaCampi() {
  MasterDataForm::CollegaCampi();
  m_openedKey = NzStr(m_rs.Value(m_keyColumn), QString());
}

// The table has no unique key: a key another row of the same list has, in any case as the database
// compares text, is refused here. A row saved under the key it had is not checked, so that keys
// stored twice before can still be edited.
bool ListaForm::beforeSave() {
  const QString key = NzStr(m_rs.Value(m_keyColumn), QString());
  if (m_Mode == 2 && QString::compare(key, m_openedKey, Qt::CaseInsensitive) == 0) return true;
  bool taken = false;
  try {
    db::Recordset rows;
    rows.Open("SELECT " + m_keyColumn + " FROM Liste WHERE Chiave=" + db::jetText(m_chiave), m_cn,
              db::adOpenForwardOnly, db::adLockReadOnly, db::adCmdText);
    for (; !taken && !rows.isEOF(); rows.MoveNext())
      taken = QString::compare(NzStr(rows.Value(0), QString()), key, Qt::CaseInsensitive) == 0;
  } catch (const db::DbError& e) {
    forms::showError(e, this, forms::ErrorIcon::None);
    return false;
  }
  if (!taken) return true;
  forms::MsgBox(duplicateRefusal(), forms::vbOKOnly, QString(), this);
  keyBox()->setFocus(Qt::OtherFocusReason);
  return false;
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
