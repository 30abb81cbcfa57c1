#include "masterdata/frm_io_Attivita.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/comUtility.h"
#include "platform/db/JetSql.h"
#include "platform/runtime/Numeric.h"

frm_io_Attivita::frm_io_Attivita(QWidget* parent) : MasterDataForm(parent) {
  setWindowTitle(QStringLiteral("Attività dirette"));
  const QStringList columns{QStringLiteral("CodAtt"), QStringLiteral("Descrizione"), QStringLiteral("TOMO")};
  const QStringList labels{QStringLiteral("Codice:"), QStringLiteral("Descrizione:"),
                           QStringLiteral("Tariffa oraria media:")};
  auto* grid = new QGridLayout;
  for (int i = 0; i < 3; ++i) txtData.push_back(addTextRow(grid, i, i, labels[i], columns[i]).box);
  txtData[1]->setMinimumWidth(260);
  txtData[2]->setAlignment(Qt::AlignRight);
  chkData.push_back(addCheckRow(grid, 3, QStringLiteral("Disabilitata"), QStringLiteral("Bloccata")));
  setFields(grid);

  setEnterMoves(forms::EnterFromTextBoxes | forms::EnterFromCheckBoxes);
  setFocusOrder({txtData[0], txtData[1], txtData[2], cmdSalva, cmdAnnulla, chkData[0]});
  setKeyFilter(txtData[0], forms::UpperCaseNoApostrophe);
  setKeyFilter(txtData[2], FiltraNumero);
  setRule(txtData[2], [this] { return IsNumeric(txtData[2]->text()); });
}

QString frm_io_Attivita::tableName() const { return QStringLiteral("Attivita"); }

QString frm_io_Attivita::openSql(const Variant& key) const {
  return QStringLiteral("SELECT * FROM Attivita WHERE CodAtt=") + db::jetText(key.toString());
}

void frm_io_Attivita::setNewRowValues() { m_rs.SetValue(QStringLiteral("Bloccata"), Variant(false)); }

void frm_io_Attivita::afterOpen() {
  if (m_Mode == 2) txtData[0]->setEnabled(false);
}

void frm_io_Attivita::takeResult() { m_Result = m_rs.Value(QStringLiteral("CodAtt")); }
