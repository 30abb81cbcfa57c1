#include "common/comfrmManData.h"

#include <QComboBox>
#include <QLabel>

#include "core/Globals.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/forms/MsgBox.h"
#include "platform/grid/GridEX.h"
#include "platform/runtime/Twips.h"

comfrmManData::comfrmManData(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Tabelle"));
  setMinimumWidth(TwipsToPixels(kMinWidth));
  auto* label = new QLabel(QStringLiteral("Tabella:"), this);
  label->setGeometry(TwipsToPixels(60), TwipsToPixels(120), TwipsToPixels(800), TwipsToPixels(315));
  cmbTables = new QComboBox(this);
  cmbTables->setGeometry(TwipsToPixels(900), TwipsToPixels(90), TwipsToPixels(3000), TwipsToPixels(375));

  gexTable = new grid::GridEX(this);
  gexTable->setAllowEdit(true);
  gexTable->setAllowAddNew(true);
  gexTable->setAllowDelete(true);
  gexTable->setRecordNavigator(true);
  gexTable->setRecordNavigatorString(QStringLiteral("Record:|di"));
  gexTable->setGroupByBoxVisible(true);
  gexTable->setGroupByBoxText(QStringLiteral("Trascinare qui una colonna per raggruppare."));
  gexTable->setEnabled(false);
  picBottom = new QLabel(this);
  picBottom->setAutoFillBackground(true);
  picBottom->setFrameShape(QFrame::StyledPanel);

  resize(TwipsToPixels(9000), TwipsToPixels(6000));
  listTables();
  connect(cmbTables, &QComboBox::activated, this,
          [this](int entry) { showTable(cmbTables->itemText(entry)); });
}

void comfrmManData::listTables() {
  if (ConnString.isEmpty()) return;
  try {
    db::Connection listing;
    listing.Open(ConnString);
    gexTable->setConnectionString(ConnString);
    cmbTables->addItems(listing.tableNames());
  } catch (const db::DbError& e) {
    forms::showError(e, this);
  }
  cmbTables->setCurrentIndex(-1);
}

void comfrmManData::showTable(const QString& name) {
  gexTable->setEnabled(false);
  gexTable->setRecordSource("SELECT * FROM " + name);
  try {
    gexTable->rebind();
  } catch (const UserError& e) {
    forms::showError(e, this);
  }
  picBottom->hide();
  gexTable->setEnabled(true);
  gexTable->setFocus();
}

void comfrmManData::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const QRect area(TwipsToPixels(60), TwipsToPixels(535), width() - TwipsToPixels(105),
                   height() - TwipsToPixels(580));
  gexTable->setGeometry(area);
  picBottom->setGeometry(area);
}

void comfrmManData::reject() {
  if (gexTable->updateRow()) QDialog::reject();
}
