#include "jobs/frm_io_Com_Edit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "jobs/frm_io_Com_Prev.h"
#include "jobs/frm_show_ComData.h"
#include "platform/forms/DataCombo.h"
#include "platform/forms/DatePicker.h"
#include "platform/forms/MemoBox.h"
#include "platform/forms/SharedInstance.h"

frm_io_Com_Edit::frm_io_Com_Edit(QWidget* parent)
    : JobOrderForm(QStringLiteral("Inserire un Cliente"), parent),
      cmd_Info(new QPushButton(QStringLiteral("Info [F8]"), this)),
      cmd_Prev(new QPushButton(QStringLiteral("Preventivo [F9]"), this)),
      cmd_OtherData(new QPushButton(QStringLiteral("Altri Dati [F7]"), this)),
      Command2(new QPushButton(QStringLiteral("Stampa"), this)) {
  buildFields();
  setViewCode(QStringLiteral("com"));
  setFocusOrder({txtFields[1], dtcData[0], txtFields[2], datData[0], datData[1], txtFields[4], txtFields[3],
                 cmdSalva, cmdAnnulla, chkField[0], datData[2], chkField[1], datData[3], chkField[2],
                 datData[4], cmd_Info, cmd_Prev, cmd_OtherData, Command2});
  setRule(txtFields[1], [this] { return !line(1)->text().isEmpty(); });
  setAfterNewClient(txtFields[2]);
  for (int i = 0; i < 3; ++i)
    connect(chkField[std::size_t(i)], &QCheckBox::clicked, this, [this, i] { chkField_Click(i); });
  connect(cmd_Info, &QPushButton::clicked, this, &frm_io_Com_Edit::cmd_Info_Click);
  connect(new QShortcut(QKeySequence(Qt::Key_F8), this), &QShortcut::activated, this,
          &frm_io_Com_Edit::cmd_Info_Click);
  connect(cmd_Prev, &QPushButton::clicked, this, &frm_io_Com_Edit::cmd_Prev_Click);
  connect(new QShortcut(QKeySequence(Qt::Key_F9), this), &QShortcut::activated, this,
          &frm_io_Com_Edit::cmd_Prev_Click);
}

void frm_io_Com_Edit::buildFields() {
  auto* manager = new QLineEdit(this);
  auto* note = new forms::MemoBox(this);
  auto* rate = new QLineEdit(this);
  txtFields.insert(txtFields.end(), {manager, note, rate});
  for (int i = 2; i < 5; ++i) txtFields[std::size_t(i)]->setObjectName(QStringLiteral("txtFields%1").arg(i));
  binding().bindText(manager, QStringLiteral("Responsabile"));
  binding().bindText(note, QStringLiteral("Note"));
  binding().bindText(rate, QStringLiteral("EcoTar"), QStringLiteral("##,##0.00"));
  rate->setAlignment(Qt::AlignRight);
  note->setFixedHeight(80);
  for (const char* column : {"DataInizio", "DataConPre", "DataConsegna", "DataFine", "ScadenzaGaranzia"})
    addDate(QString::fromLatin1(column));
  const std::pair<const char*, const char*> flags[] = {
      {"consegnata il", "Consegnata"}, {"chiusa il", "Chiusa"}, {"scadenza garanzia", "InGaranzia"}};
  for (const auto& [caption, column] : flags) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), this);
    box->setObjectName(QStringLiteral("chkField%1").arg(chkField.size()));
    binding().bindCheck(box, QString::fromLatin1(column));
    chkField.push_back(box);
  }

  auto* grid = new QGridLayout;
  const auto label = [this](const char* text) { return new QLabel(QString::fromUtf8(text), this); };
  grid->addWidget(label("Codice:"), 0, 0);
  grid->addWidget(txtFields[0], 0, 1);
  grid->addWidget(label("Descrizione:"), 1, 0);
  grid->addWidget(txtFields[1], 1, 1, 1, 3);
  grid->addWidget(label("Cliente:"), 2, 0);
  grid->addWidget(dtcData[0], 2, 1, 1, 2);
  grid->addWidget(cmdAddClient, 2, 3, Qt::AlignLeft);
  grid->addWidget(label("Responsabile:"), 3, 0);
  grid->addWidget(txtFields[2], 3, 1, 1, 3);
  grid->addWidget(label("creata il"), 4, 0);
  grid->addWidget(datData[0], 4, 1);
  grid->addWidget(label("consegna prev."), 4, 2);
  grid->addWidget(datData[1], 4, 3);
  grid->addWidget(label("Tariffa oraria per lavori in economia:"), 5, 0, 1, 2);
  grid->addWidget(rate, 5, 2);
  grid->addWidget(note, 6, 0, 1, 4);
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(chkField[std::size_t(i)], i, 5);
    grid->addWidget(datData[std::size_t(i) + 2], i, 6);
  }
  grid->setColumnMinimumWidth(4, 16);
  line(1)->setMinimumWidth(320);

  auto* commands = new QHBoxLayout;
  for (QPushButton* button : {cmd_Info, cmd_Prev, cmd_OtherData, Command2}) commands->addWidget(button);
  commands->addStretch(1);
  auto* fields = new QVBoxLayout;
  fields->addLayout(grid);
  fields->addLayout(commands);
  setFields(fields);
}

void frm_io_Com_Edit::Apri(const QString& CodCom) {
  m_CodCom = CodCom;
  MasterDataForm::Apri(Variant(CodCom), 0);
}

void frm_io_Com_Edit::afterOpen() { txtFields[0]->setEnabled(false); }

// Only a click sets a date's state: on opening every date is editable, whatever the flags.
void frm_io_Com_Edit::chkField_Click(int Index) {
  forms::DatePicker* data = datData[std::size_t(Index) + 2];
  data->setEnabled(chkField[std::size_t(Index)]->isChecked());
  if (data->isEnabled()) data->setFocus(Qt::OtherFocusReason);
}

void frm_io_Com_Edit::cmd_Info_Click() {
  forms::SharedInstance<frm_show_ComData>::get().Apri(m_CodCom);
  regainFocus();
}

void frm_io_Com_Edit::cmd_Prev_Click() {
  forms::SharedInstance<frm_io_Com_Prev>::get().Apri(m_CodCom, QStringLiteral("Preventivo"));
  regainFocus();
}
