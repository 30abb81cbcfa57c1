#include "jobs/frm_io_PrevModelli.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Globals.h"
#include "core/MainWindowHooks.h"
#include "jobs/QuoteLineGrid.h"
#include "platform/db/DbError.h"
#include "platform/forms/MsgBox.h"
#include "platform/grid/GridEX.h"

using namespace quotelines;

frm_io_PrevModelli::frm_io_PrevModelli(QWidget* parent)
    : forms::EntryForm(parent),
      gex(new grid::GridEX(this)),
      cmdPrint(new QPushButton(QStringLiteral("Stampa"), this)) {
  setWindowTitle(QStringLiteral("Modelli Preventivo"));
  setAttribute(Qt::WA_DeleteOnClose);
  txtData.push_back(new QLineEdit(this));
  lblData.push_back(new QLabel(QStringLiteral("Descrizione:"), this));
  txtData[0]->setObjectName(QStringLiteral("txtData0"));
  txtData[0]->setToolTip(QStringLiteral("Descrizione Articolo (max 50 caratteri)"));
  gex->setObjectName(QStringLiteral("gex"));
  cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
  binding().bindText(txtData[0], QStringLiteral("Descrizione"));

  setUp(*gex, QStringLiteral("IdModelloPre"), QStringLiteral("Currency"));
  gex->setMinimumSize(760, 380);

  auto* header = new QGridLayout;
  header->addWidget(lblData[0], 0, 0);
  header->addWidget(txtData[0], 0, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdPrint);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addWidget(gex, 1);
  layout->addLayout(buttons);
  setFocusOrder({txtData[0], gex, cmdPrint});

  connect(gex, &grid::GridEX::beforeUpdate, this,
          [this](bool*) { gex->setValue(colParent, Variant(m_IdModello)); });
  connect(gex, &grid::GridEX::columnButtonClick, this, [this](int column) {
    if (column == colDescrizione) editExtendedDescription(*gex);
  });
  connect(cmdPrint, &QPushButton::clicked, this, &frm_io_PrevModelli::cmdPrint_Click);
}

// The recordset goes before the controls do: nothing may reach it through the binding meanwhile.
frm_io_PrevModelli::~frm_io_PrevModelli() { binding().connectTo(nullptr); }

void frm_io_PrevModelli::Apri(std::int32_t IdModello) {
  if (m_rs.IsOpen()) {
    // A line still being typed is written while the window still shows its own template.
    if (!gex->updateRow() || !saveTemplate()) {
      raise();
      activateWindow();
      return;
    }
    closeRecord();
  }
  m_IdModello = IdModello;
  if (!openRecord() ||
      !load(*gex,
            QStringLiteral("SELECT * FROM PREVOCI WHERE IdModelloPre=%1 ORDER BY Codice").arg(m_IdModello))) {
    closeRecord();
    unload();
    return;
  }
  showModeless(MainWindowHooks::mainWindow());
}

bool frm_io_PrevModelli::openRecord() {
  try {
    m_cn.setCursorLocation(db::adUseClient);
    m_cn.Open(ConnString);
    m_rs.Open(QStringLiteral("SELECT * FROM PreModelli WHERE IdModello=%1").arg(m_IdModello), m_cn,
              db::adOpenStatic, db::adLockBatchOptimistic, db::adCmdText);
  } catch (const db::DbError& e) {
    forms::showError(e, MainWindowHooks::mainWindow(), forms::ErrorIcon::None);
    return false;
  }
  if (m_rs.isEOF()) {
    forms::MsgBox(QStringLiteral("La registrazione richiesta non esiste più."), forms::vbOKOnly, QString(),
                  MainWindowHooks::mainWindow());
    return false;
  }
  binding().connectTo(&m_rs);
  return true;
}

void frm_io_PrevModelli::closeRecord() { releaseRecord(m_rs, m_cn); }

bool frm_io_PrevModelli::saveTemplate() {
  if (!m_rs.IsOpen()) return true;
  if (!commitControls()) return false;
  if (txtData[0]->text().trimmed().isEmpty()) {
    forms::MsgBox(QStringLiteral("Inserire la descrizione del modello."), forms::vbOKOnly, QString(), this);
    txtData[0]->setFocus(Qt::OtherFocusReason);
    return false;
  }
  try {
    if (m_rs.EditPending()) m_rs.UpdateBatch(db::adAffectCurrent);
  } catch (const db::DbError& e) {
    forms::showError(e, this, forms::ErrorIcon::None);
    return false;
  }
  return true;
}

void frm_io_PrevModelli::closeEvent(QCloseEvent* event) {
  if (!saveTemplate()) {
    event->ignore();
    return;
  }
  closeRecord();
  event->accept();
  MainWindowHooks::SetLay();
}

void frm_io_PrevModelli::reject() { close(); }

void frm_io_PrevModelli::cmdPrint_Click() {
  gex->printSettings().setHeaderText(grid::PrintCenter, QStringLiteral("Modello: ") + txtData[0]->text());
  showPreview(*gex, false);
}
