#include "masterdata/frm_io_IVA.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/Globals.h"
#include "core/comUtility.h"
#include "platform/db/JetSql.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/Numeric.h"

namespace {
void setRole(QWidget* widget, QPalette::ColorRole role, std::uint32_t colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, OleColor(colour));
  widget->setPalette(palette);
}
}  // namespace

frm_io_IVA::frm_io_IVA(QWidget* parent) : MasterDataForm(parent) {
  setWindowTitle(QStringLiteral("Codici IVA"));
  auto* grid = new QGridLayout;
  const TextRow rows[] = {
      addTextRow(grid, 0, 0, QStringLiteral("Codice:"), QStringLiteral("CodiceIVA")),
      addTextRow(grid, 1, 1, QStringLiteral("Descrizione:"), QStringLiteral("Descrizione")),
      addTextRow(grid, 3, 2, QStringLiteral("Aliquota:"), QStringLiteral("Aliquota"),
                 QStringLiteral("#,#.00"))};
  for (const TextRow& row : rows) {
    lblData.push_back(row.label);
    txtData.push_back(row.box);
  }
  chkData.push_back(addCheckRow(grid, 2, QStringLiteral("Esenzione"), QStringLiteral("Esenzione")));
  chkData.push_back(addCheckRow(grid, 4, QStringLiteral("Predefinito"), QStringLiteral("Predefinito")));
  txtData[1]->setMinimumWidth(240);
  txtData[2]->setAlignment(Qt::AlignRight);
  setFields(grid);

  setEnterMoves(forms::EnterFromTextBoxes | forms::EnterFromCheckBoxes);
  setFocusOrder({txtData[0], txtData[1], chkData[0], txtData[2], chkData[1], cmdSalva, cmdAnnulla});
  setKeyFilter(txtData[0], forms::UpperCaseNoApostrophe);
  setKeyFilter(txtData[2], FiltraNumero);
  setRule(txtData[2], [this] { return IsNumeric(txtData[2]->text()); });
  for (QCheckBox* box : chkData)
    connect(box, &QCheckBox::clicked, this, [this] { AbilitaAliquota(!chkData[0]->isChecked()); });
}

QString frm_io_IVA::tableName() const { return QStringLiteral("CodiciIVA"); }

QString frm_io_IVA::openSql(const Variant& key) const {
  return QStringLiteral("SELECT * FROM CodiciIVA WHERE CodiceIVA=") + db::jetText(key.toString());
}

void frm_io_IVA::setNewRowValues() {
  m_rs.SetValue(QStringLiteral("Esenzione"), Variant(false));
  m_rs.SetValue(QStringLiteral("Predefinito"), Variant(false));
}

void frm_io_IVA::afterOpen() {
  if (m_Mode != 2) return;
  txtData[0]->setEnabled(false);
  AbilitaAliquota(!chkData[0]->isChecked());
}

void frm_io_IVA::AbilitaAliquota(bool Abilita) {
  setRole(lblData[2], QPalette::WindowText, Abilita ? colors::vbButtonText : colors::vbButtonShadow);
  txtData[2]->setEnabled(Abilita);
  setRole(txtData[2], QPalette::Base, Abilita ? colors::vbWindowBackground : colors::vbButtonFace);
  if (!Abilita) binding().setText(txtData[2], QStringLiteral("0"));
}

void frm_io_IVA::takeResult() { m_Result = m_rs.Value(QStringLiteral("CodiceIVA")); }

void frm_io_IVA::afterSave() {
  if (chkData[1]->isChecked()) AzzeraPredefinito(m_Result.toString());
}

void frm_io_IVA::AzzeraPredefinito(const QString& Codice) {
  const QString sql = QStringLiteral("UPDATE CodiciIVA SET CodiciIVA.Predefinito = False") +
                      QStringLiteral(" WHERE CodiciIVA.CodiceIVA<>") + db::jetText(Codice);
  if (executeOnOwnConnection(sql)) DefaultIVA = Codice;
}
