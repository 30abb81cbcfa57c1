#include "masterdata/frm_io_Cat.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "core/Globals.h"

frm_io_Cat::frm_io_Cat(QWidget* parent)
    : ListaForm(QStringLiteral("cat"), {QStringLiteral("Descrizione")}, {QStringLiteral("Descrizione:")},
                parent) {
  setWindowTitle(QStringLiteral("Categorie Articoli"));
  setFocusOrder({txtData[0], cmdSalva, cmdAnnulla, chkData[0]});
}

// New text stops at 20 characters; a longer description already stored is shown whole, since a
// shorter limit would cut it and the save would write it cut.
void frm_io_Cat::CollegaCampi() {
  ListaForm::CollegaCampi();
  const int stored = static_cast<int>(txtData[0]->text().size());
  txtData[0]->setMaxLength(std::max(20, stored));
}

void frm_io_Cat::takeResult() {
  m_Result = m_rs.Value(QStringLiteral("Descrizione"));
  m_Id = m_rs.Value(QStringLiteral("Id")).toInt();
}

void frm_io_Cat::setDefaultGlobal(const QString& text) { DefaultCat = text; }
