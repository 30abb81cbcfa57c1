#include "masterdata/frm_io_Cat.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/core/Globals.h"

frm_io_Cat::frm_io_Cat(QWidget* parent)
    : ListaForm(QStringLiteral("cat"), {QStringLiteral("Descrizione")},
                {QStringLiteral("Descrizione:")}, parent) {
  setWindowTitle(QStringLiteral("Categorie Articoli"));
  setFocusOrder({txtData[0], cmdSalva, cmdAnnulla, chkData[0]});
}

void frm_io_Cat::CollegaCampi() {
  ListaForm::CollegaCampi();
  txtData[0]->setMaxLength(20);
}

void frm_io_Cat::takeResult() {
  m_Result = m_rs.Value(QStringLiteral("Descrizione"));
  m_Id = m_rs.Value(QStringLiteral("Id")).toInt();
}

void frm_io_Cat::setDefaultGlobal(const QString& text) { DefaultCat = text; }
