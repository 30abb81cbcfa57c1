#include "masterdata/MasterDataForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Globals.h"
#include "core/MainWindowHooks.h"
#include "platform/db/DbError.h"
#include "platform/forms/DataCombo.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/StatusBar.h"

MasterDataForm::MasterDataForm(QWidget* parent)
    : forms::EntryForm(parent),
      cmdSalva(new QPushButton(QStringLiteral("Salva"), this)),
      cmdAnnulla(new QPushButton(QStringLiteral("Annulla"), this)),
      sb(new forms::StatusBar(2, this)) {
  cmdSalva->setObjectName(QStringLiteral("cmdSalva"));
  cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
  sb->setObjectName(QStringLiteral("sb"));
  setCancelButton(cmdAnnulla);
  setStatusBar(sb);
  connect(cmdSalva, &QPushButton::clicked, this, &MasterDataForm::cmdSalva_Click);
  connect(cmdAnnulla, &QPushButton::clicked, this, &MasterDataForm::cmdAnnulla_Click);
}

// The recordset goes before the controls do: nothing may reach it through the binding meanwhile.
MasterDataForm::~MasterDataForm() { binding().connectTo(nullptr); }

void MasterDataForm::setFields(QLayout* fields) {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdSalva);
  buttons->addWidget(cmdAnnulla);
  auto* main = new QVBoxLayout(this);
  main->setContentsMargins(0, 8, 0, 0);
  auto* body = new QVBoxLayout;
  body->setContentsMargins(10, 0, 10, 4);
  body->addLayout(fields);
  body->addLayout(buttons);
  main->addLayout(body);
  main->addWidget(sb);
}

MasterDataForm::TextRow MasterDataForm::addTextRow(QGridLayout* grid, int row, int index,
                                                   const QString& caption, const QString& column,
                                                   const QString& format) {
  const TextRow added{new QLabel(caption, this), new QLineEdit(this)};
  added.box->setObjectName(QStringLiteral("txtData%1").arg(index));
  added.label->setBuddy(added.box);
  grid->addWidget(added.label, row, 0);
  grid->addWidget(added.box, row, 1);
  binding().bindText(added.box, column, format);
  return added;
}

QCheckBox* MasterDataForm::addCheckRow(QGridLayout* grid, int row, const QString& caption,
                                       const QString& column) {
  auto* box = new QCheckBox(caption, this);
  grid->addWidget(box, row, 1);
  binding().bindCheck(box, column);
  return box;
}

QWidget* MasterDataForm::owner() const { return MainWindowHooks::mainWindow(); }

void MasterDataForm::CollegaCampi() { binding().connectTo(&m_rs); }

Variant MasterDataForm::Nuovo(std::int32_t Modal) { return open(1, Modal, tableName(), db::adCmdTable); }

Variant MasterDataForm::Apri(const Variant& Key, std::int32_t Modal) {
  return open(2, Modal, openSql(Key), db::adCmdText);
}

Variant MasterDataForm::open(std::int32_t mode, std::int32_t modal, const QString& source,
                             db::CommandType command) {
  m_Mode = mode;
  m_Modal = modal == 1;
  m_Result = Variant();
  if (!beforeOpen() || !openRecord(source, command)) {
    if (m_Modal) return Variant::null();
    unload();
    return Variant();
  }
  CollegaCampi();
  if (m_Modal) cmdSalva->setText(QStringLiteral("Inserisci"));
  afterOpen();
  if (!m_Modal) {
    showModeless(owner());
    return Variant();
  }
  showModal(owner());
  return m_Result;
}

bool MasterDataForm::openRecord(const QString& source, db::CommandType command) {
  try {
    m_cn.setCursorLocation(db::adUseClient);
    m_cn.Open(ConnString);
    m_rs.Open(source, m_cn, db::adOpenStatic, db::adLockBatchOptimistic, command);
    if (m_Mode == 1) {
      m_rs.AddNew();
      setNewRowValues();
    } else if (m_rs.isEOF()) {
      closeRecord();
      forms::MsgBox(QStringLiteral("La registrazione richiesta non esiste più."), forms::vbOKOnly, QString(),
                    owner());
      return false;
    }
  } catch (const db::DbError& e) {
    closeRecord();
    forms::showError(e, owner(), forms::ErrorIcon::None);
    return false;
  }
  return true;
}

void MasterDataForm::closeRecord() { releaseRecord(m_rs, m_cn); }

void MasterDataForm::cmdSalva_Click() {
  if (!m_rs.IsOpen() || !validateFocusedControl() || !commitControls() || !keyGiven() || !beforeSave())
    return;
  try {
    writeRecord();
    takeResult();
  } catch (const db::DbError& e) {
    forms::MsgBox(refusal(e), forms::vbOKOnly, QString(), this);
    return;
  }
  closeRecord();
  afterSave();
  if (m_Modal) {
    hide();
    return;
  }
  if (refreshesMainWindow()) MainWindowHooks::SetLay(m_viewCode, savedKey());
  unload();
}

// A refused save in the window's own words: the field by its caption, the record by its name.
QString MasterDataForm::refusal(const db::DbError& e) {
  if (e.code() == db::DbError::Duplicate) return duplicateRefusal();
  if (e.code() != db::DbError::Required) return e.description();
  const QString campo = captionOf(binding().controlOf(e.field()));
  return "Il campo " + (campo.isEmpty() ? e.field() : campo) + " è obbligatorio.";
}

QString MasterDataForm::captionOf(const QWidget* control) const {
  if (!control) return QString();
  for (const QLabel* label : findChildren<QLabel*>())
    if (label->buddy() == control) return label->text().remove('&').remove(':').trimmed();
  return QString();
}

void MasterDataForm::writeRecord() { m_rs.UpdateBatch(db::adAffectCurrent); }

bool MasterDataForm::keyGiven() {
  QLineEdit* box = keyBox();
  if (!box || !box->isEnabled() || !box->text().trimmed().isEmpty()) return true;
  forms::MsgBox(QStringLiteral("Il campo %1 è obbligatorio.").arg(captionOf(box)), forms::vbOKOnly, QString(),
                this);
  box->setFocus(Qt::OtherFocusReason);
  return false;
}

void MasterDataForm::cmdAnnulla_Click() {
  closeRecord();
  m_Result = Variant::null();
  if (m_Modal)
    hide();
  else
    unload();
}

bool MasterDataForm::loadList(forms::DataCombo* list, db::Recordset& rows, const QString& rowSource) {
  try {
    if (!m_cnListe.IsOpen()) {
      m_cnListe.setCursorLocation(db::adUseClient);
      m_cnListe.Open(ConnString);
    }
    if (rows.IsOpen()) rows.Close();
    rows.Open(rowSource, m_cnListe, db::adOpenStatic, db::adLockReadOnly, db::adCmdText);
    list->setRowSource(rows);
  } catch (const db::DbError& e) {
    forms::showError(e, isVisible() ? this : owner(), forms::ErrorIcon::None);
    return false;
  }
  return true;
}

bool MasterDataForm::executeOnOwnConnection(const QString& sql) {
  try {
    db::Connection cn;
    cn.setCursorLocation(db::adUseClient);
    cn.Open(ConnString);
    cn.Execute(sql);
    cn.Close();
    return true;
  } catch (const db::DbError& e) {
    forms::showError(e, nullptr, forms::ErrorIcon::None);
    return false;
  }
}
