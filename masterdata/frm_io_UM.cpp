#include "masterdata/frm_io_UM.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/Globals.h"

frm_io_UM::frm_io_UM(QWidget* parent)
    : ListaForm(QStringLiteral("um"), {QStringLiteral("Codice"), QStringLiteral("Descrizione")},
                {QStringLiteral("Codice:"), QStringLiteral("Descrizione:")}, parent) {
  setWindowTitle(QStringLiteral("Unità di Misura"));
  setKeyFilter(txtData[0], forms::UpperCaseNoApostrophe);
  setFocusOrder({txtData[0], txtData[1], chkData[0], cmdSalva, cmdAnnulla});
}

void frm_io_UM::afterOpen() {
  if (m_Mode == 2) txtData[0]->setEnabled(false);
}

void frm_io_UM::takeResult() {
  m_Result = m_rs.Value(QStringLiteral("Codice"));
  m_Id = m_rs.Value(QStringLiteral("Id")).toInt();
}

void frm_io_UM::setDefaultGlobal(const QString& text) { DefaultUM = text; }
