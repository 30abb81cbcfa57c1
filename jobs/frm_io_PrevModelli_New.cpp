#include "jobs/frm_io_PrevModelli_New.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "jobs/RowWithLines.h"
#include "jobs/frm_io_PrevModelli.h"
#include "platform/forms/SharedInstance.h"

frm_io_PrevModelli_New::frm_io_PrevModelli_New(QWidget* parent) : MasterDataForm(parent) {
  setWindowTitle(QStringLiteral("Nuovo Modello di Preventivo"));
  auto* grid = new QGridLayout;
  const TextRow row = addTextRow(grid, 0, 0, QStringLiteral("Descrizione:"), QStringLiteral("Descrizione"));
  lblData.push_back(row.label);
  txtData.push_back(row.box);
  txtData[0]->setMinimumWidth(320);
  setFields(grid);
  setFocusOrder({txtData[0], cmdSalva, cmdAnnulla});
  setRule(txtData[0], [this] { return !txtData[0]->text().isEmpty(); });
}

void frm_io_PrevModelli_New::Nuovo() {
  m_IdModello = 0;
  MasterDataForm::Nuovo(0);
}

std::int32_t frm_io_PrevModelli_New::NuovoDaCommessa(QWidget* caller, LinesWriter writeLines) {
  m_IdModello = 0;
  m_caller = caller;
  m_writeLines = std::move(writeLines);
  setWindowTitle(QStringLiteral("Nuovo Modello da Preventivo"));
  MasterDataForm::Nuovo(1);
  const std::int32_t IdModello = m_Result.isNull() || m_Result.isEmpty() ? 0 : m_IdModello;
  unload();
  return IdModello;
}

QWidget* frm_io_PrevModelli_New::owner() const {
  return m_caller ? m_caller.data() : MasterDataForm::owner();
}

QString frm_io_PrevModelli_New::tableName() const { return QStringLiteral("PreModelli"); }

QString frm_io_PrevModelli_New::openSql(const Variant& key) const {
  return QStringLiteral("SELECT * FROM PreModelli WHERE IdModello=") + QString::number(key.toInt());
}

// The modal call saves with "Salva" as well.
void frm_io_PrevModelli_New::afterOpen() { cmdSalva->setText(QStringLiteral("Salva")); }

void frm_io_PrevModelli_New::writeRecord() {
  if (!m_writeLines) {
    MasterDataForm::writeRecord();
    return;
  }
  writeRowWithLines(m_cn, m_rs, binding(),
                    [this] { m_writeLines(m_cn, m_rs.Value(QStringLiteral("IdModello")).toInt()); });
}

void frm_io_PrevModelli_New::takeResult() {
  m_Result = m_rs.Value(QStringLiteral("IdModello"));
  m_IdModello = m_Result.toInt();
}

// Saved from the main window's New: the template goes on to the edit window.
void frm_io_PrevModelli_New::afterSave() {
  if (!m_Modal) forms::SharedInstance<frm_io_PrevModelli>::get().Apri(m_IdModello);
}
