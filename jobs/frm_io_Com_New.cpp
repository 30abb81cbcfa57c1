#include "jobs/frm_io_Com_New.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/Globals.h"
#include "jobs/RowWithLines.h"
#include "jobs/frm_io_Com_Edit.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/forms/DataCombo.h"
#include "platform/forms/DatePicker.h"
#include "platform/forms/FocusTracker.h"
#include "platform/forms/SharedInstance.h"
#include "platform/runtime/Currency.h"

namespace {
constexpr int Descrizione = 1;
const QString MissingData = QStringLiteral("Inserire tutti i Dati necessari");
}  // namespace

frm_io_Com_New::frm_io_Com_New(QWidget* parent) : JobOrderForm(MissingData, parent) {
  addDate(QStringLiteral("DataInizio"));
  addList(QStringLiteral("IdModello"),
          QStringLiteral("SELECT IdModello, Descrizione FROM PreModelli ORDER BY Descrizione"),
          QStringLiteral("IdModello"), QStringLiteral("Descrizione"));
  cmdSalva->setText(QStringLiteral("OK"));

  auto* grid = new QGridLayout;
  const std::pair<const char*, QWidget*> rows[] = {{"Codice:", txtFields[0]},
                                                   {"Descrizione:", txtFields[1]},
                                                   {"Cliente:", dtcData[0]},
                                                   {"Creata il:", datData[0]},
                                                   {"Modello di Preventivo:", dtcData[1]}};
  int row = 0;
  for (const auto& [label, control] : rows) {
    auto* caption = new QLabel(QString::fromUtf8(label), this);
    caption->setBuddy(control);
    grid->addWidget(caption, row, 0);
    grid->addWidget(control, row, 1, 1, control == txtFields[Descrizione] ? 2 : 1, Qt::AlignLeft);
    ++row;
  }
  grid->addWidget(cmdAddClient, 2, 2, Qt::AlignLeft);
  grid->setColumnStretch(2, 1);
  line(1)->setMinimumWidth(300);
  setFields(grid);

  setFocusOrder({txtFields[0], txtFields[1], dtcData[0], datData[0], dtcData[1], cmdSalva, cmdAnnulla});
  forms::setCausesValidation(cmdAddClient, false);
  setAfterNewClient(datData[0]);
}

void frm_io_Com_New::Nuovo() { MasterDataForm::Nuovo(0); }

void frm_io_Com_New::setNewRowValues() {
  for (const char* data : {"DataInizio", "DataFine", "DataConPre", "DataConsegna", "ScadenzaGaranzia"})
    m_rs.SetValue(QString::fromLatin1(data), Variant(DataLavoro));
  m_rs.SetValue(QStringLiteral("Prezzo"), Variant(Currency()));
  for (const char* flag : {"Chiusa", "Consegnata", "InGaranzia"})
    m_rs.SetValue(QString::fromLatin1(flag), Variant(false));
  m_rs.SetValue(QStringLiteral("Attiva"), Variant(true));
}

// The job order and the lines copied from its template are written in one transaction, the job order
// first: a refused row copies nothing, a failed copy stores no job order.
void frm_io_Com_New::writeRecord() {
  if (binding().value(QStringLiteral("IdCliente")).isNull()) {
    dtcData[0]->setFocus(Qt::OtherFocusReason);
    throw db::DbError(db::DbError::Constraint, MissingData);
  }
  const Variant templateId = binding().value(QStringLiteral("IdModello"));
  const QString CodCom = m_rs.Value(QStringLiteral("CodCom")).toString();
  writeRowWithLines(m_cn, m_rs, binding(), [&] {
    if (templateId.isNull()) return;
    m_cn.Execute(
        QStringLiteral(
            "INSERT INTO CommessePre ( CodCom, Codice, Descrizione, DescEstesa, Ordine, UM, Tariffa )") +
        QStringLiteral(" SELECT ") + db::jetText(CodCom) +
        QStringLiteral(" AS Com, PreVoci.Codice, PreVoci.Descrizione, PreVoci.DescEstesa, PreVoci.Ordine, "
                       "PreVoci.UM, PreVoci.Tariffa") +
        QStringLiteral(" From PreVoci WHERE PreVoci.IdModelloPre=") + QString::number(templateId.toInt()));
  });
}

// The job order goes on in the editing window: the shared one when it is free, a fresh one when it
// already shows a job order, whose pending changes must not be lost.
void frm_io_Com_New::afterSave() {
  using Edit = forms::SharedInstance<frm_io_Com_Edit>;
  frm_io_Com_Edit* edit = Edit::loaded() ? new frm_io_Com_Edit : &Edit::get();
  edit->Apri(m_Result.toString());
}
