#include "masterdata/frm_io_Imp.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/comUtility.h"
#include "platform/forms/MemoBox.h"
#include "platform/runtime/Numeric.h"

frm_io_Imp::frm_io_Imp(QWidget* parent) : MasterDataForm(parent), txtNote(new forms::MemoBox(this)) {
  setWindowTitle(QStringLiteral("Impiegati"));
  const QStringList columns{QStringLiteral("Cognome"), QStringLiteral("Nome"), QStringLiteral("Tariffa")};
  const QStringList labels{QStringLiteral("Cognome:"), QStringLiteral("Nome:"),
                           QStringLiteral("Tariffa oraria:")};
  auto* grid = new QGridLayout;
  for (int i = 0; i < 3; ++i) txtData.push_back(addTextRow(grid, i, i, labels[i], columns[i]).box);
  txtData[0]->setMinimumWidth(260);
  txtData[2]->setAlignment(Qt::AlignRight);
  txtNote->setObjectName(QStringLiteral("txtData3"));
  txtNote->setFixedHeight(70);
  grid->addWidget(txtNote, 3, 0, 1, 2);
  binding().bindText(txtNote, QStringLiteral("Note"));
  setFields(grid);

  setEnterMoves(forms::EnterFromTextBoxes | forms::EnterFromCheckBoxes);
  setFocusOrder({txtData[0], txtData[1], txtData[2], txtNote, cmdSalva, cmdAnnulla});
  setKeyFilter(txtData[0], forms::NoApostrophe);
  setKeyFilter(txtData[2], FiltraNumero);
  setRule(txtData[0], [this] { return !txtData[0]->text().isEmpty(); });
  setRule(txtData[1], [this] { return !txtData[1]->text().isEmpty(); });
  setRule(txtData[2], [this] { return IsNumeric(txtData[2]->text()); });
}

QString frm_io_Imp::tableName() const { return QStringLiteral("Impiegati"); }

QString frm_io_Imp::openSql(const Variant& key) const {
  return QStringLiteral("SELECT * FROM Impiegati WHERE CodImp=") + QString::number(key.toInt());
}

void frm_io_Imp::afterOpen() {
  if (m_Mode == 2) txtData[0]->setEnabled(false);
}

void frm_io_Imp::takeResult() { m_Result = m_rs.Value(QStringLiteral("CodImp")); }
