#include "jobs/frm_io_Com_Prev.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "core/Globals.h"
#include "core/MainWindowHooks.h"
#include "core/comUtility.h"
#include "jobs/QuoteLineGrid.h"
#include "jobs/UnfinishedRow.h"
#include "jobs/frm_io_PrevModelli_New.h"
#include "platform/db/Connection.h"
#include "platform/db/JetSql.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/SharedInstance.h"
#include "platform/forms/WindowPlacement.h"
#include "platform/grid/GridEX.h"
#include "platform/runtime/Format.h"

using namespace quotelines;

namespace {

bool positive(const Variant& value) { return value.isNumber() && value.toDouble() > 0; }

}  // namespace

frm_io_Com_Prev::frm_io_Com_Prev(QWidget* parent)
    : QDialog(parent),
      gex(new grid::GridEX(this)),
      lblTot(new QLabel(this)),
      cmdModello(new QPushButton(QStringLiteral("Salva come Modello"), this)),
      cmdPrint(new QPushButton(QStringLiteral("Stampa"), this)) {
  gex->setObjectName(QStringLiteral("gex"));
  lblTot->setObjectName(QStringLiteral("lblTot"));
  cmdModello->setObjectName(QStringLiteral("cmdModello"));
  cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
  lblTot->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblTot->setMinimumWidth(140);
  QFont bold = lblTot->font();
  bold.setBold(true);
  lblTot->setFont(bold);
  cmdModello->setAutoDefault(false);
  cmdPrint->setAutoDefault(false);

  setUp(*gex, QStringLiteral("CodCom"), QStringLiteral("#,##0.00"));
  gex->column(colTariffa)->setDefaultValue(Variant("0"));
  gex->addColumn(QStringLiteral("QPrev"), QStringLiteral("Q.Prev."))->setFormat(QStringLiteral("#,##0.00"));
  gex->addColumn(QStringLiteral("Quantita"), QStringLiteral("Quantità"))->setFormat(QStringLiteral("#,#.00"));
  grid::GridColumn* price = gex->addColumn(QStringLiteral("Prezzo"), QStringLiteral("Prezzo"));
  price->setFormat(QStringLiteral("#,#.00"));
  price->setEditable(false);
  price->setSelectable(false);
  gex->setMinimumSize(900, 420);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdModello);
  buttons->addWidget(cmdPrint);
  buttons->addStretch(1);
  buttons->addWidget(lblTot);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(gex, 1);
  layout->addLayout(buttons);

  connect(gex, &grid::GridEX::beforeColUpdate, this,
          [this](int, int column, const Variant&, bool* cancel) { gex_BeforeColUpdate(column, cancel); });
  connect(gex, &grid::GridEX::afterColUpdate, this, &frm_io_Com_Prev::gex_AfterColUpdate);
  connect(gex, &grid::GridEX::beforeUpdate, this, &frm_io_Com_Prev::gex_BeforeUpdate);
  connect(gex, &grid::GridEX::afterUpdate, this, &frm_io_Com_Prev::updateTotal);
  // A deleted line leaves the total too, so it never shows a stale amount.
  connect(gex, &grid::GridEX::afterDelete, this, &frm_io_Com_Prev::updateTotal);
  connect(gex, &grid::GridEX::columnButtonClick, this, [this](int column) {
    if (column == colDescrizione) editExtendedDescription(*gex);
  });
  connect(cmdModello, &QPushButton::clicked, this, &frm_io_Com_Prev::cmdModello_Click);
  connect(cmdPrint, &QPushButton::clicked, this, &frm_io_Com_Prev::cmdPrint_Click);
}

void frm_io_Com_Prev::Apri(const QString& CodCom, const QString& Caption) {
  m_CodCom = CodCom;
  if (load(*gex, QStringLiteral("SELECT * FROM CommessePre WHERE CodCom=") + db::jetText(m_CodCom))) {
    setWindowTitle(Caption);
    forms::setOwner(*this, MainWindowHooks::mainWindow());
    updateTotal();
    gex->setRow(-1);
    gex->setCol(colCodice);
    gex->setFocus(Qt::OtherFocusReason);
    exec();
  }
  deleteLater();
}

// Rates, quantities and amounts take numbers only.
void frm_io_Com_Prev::gex_BeforeColUpdate(int column, bool* cancel) {
  if (column >= colTariffa && column <= colPrezzo && !gex->value(column).isNumber()) *cancel = true;
}

void frm_io_Com_Prev::gex_AfterColUpdate(int column) {
  if (column == colQPrev) {
    const Variant quantity = gex->value(colQuantita);
    if (!quantity.isNumber() || quantity.toDouble() == 0) gex->setValue(colQuantita, gex->value(colQPrev));
  }
  const Variant quantity = gex->value(colQuantita);
  const Variant rate = gex->value(colTariffa);
  std::optional<Currency> price;
  if (quantity.isNumber() && rate.isNumber())
    price = Currency::fromDouble(quantity.toDouble() * rate.toDouble());
  gex->setValue(colPrezzo, price ? Variant(*price) : Variant::null());
}

// A line needs a code, a unit, and a rate, quantities and amount above zero. Refused while the
// user moves between lines, it stays in editing silently; refused as the window closes, the
// window says what the line lacks.
void frm_io_Com_Prev::gex_BeforeUpdate(bool* cancel) {
  const QStringList missing = missingInLine();
  if (!missing.isEmpty()) {
    if (gex->closingWindow()) forms::MsgBox(unfinishedRowMessage(missing), forms::vbOKOnly, AppTitle, this);
    *cancel = true;
    return;
  }
  gex->setValue(colParent, Variant(m_CodCom));
}

QStringList frm_io_Com_Prev::missingInLine() const {
  QStringList missing;
  for (int column : {int(colCodice), int(colUM)})
    if (NzStr(gex->value(column), QString()).isEmpty()) missing << gex->column(column)->caption();
  for (int column : {int(colTariffa), int(colQPrev), int(colQuantita), int(colPrezzo)})
    if (!positive(gex->value(column)))
      missing << gex->column(column)->caption() + QStringLiteral(" (maggiore di zero)");
  return missing;
}

void frm_io_Com_Prev::updateTotal() {
  Currency total;
  try {
    for (int r = 1; r <= gex->rowCount(); ++r) {
      const Variant price = gex->rowValue(r, colPrezzo);
      if (price.isNumber()) total = total + price.toCurrency();
    }
  } catch (const std::overflow_error&) {
    lblTot->clear();
    forms::MsgBox(QStringLiteral("Il totale del preventivo supera il valore massimo."), forms::vbOKOnly,
                  AppTitle, this);
    return;
  }
  lblTot->setText(Format(Variant(total), QStringLiteral("#,#.00")));
}

void frm_io_Com_Prev::cmdModello_Click() {
  gex->updateRow();
  const std::int32_t IdModello = forms::SharedInstance<frm_io_PrevModelli_New>::get().NuovoDaCommessa(
      this, [this](db::Connection& cn, std::int32_t id) { copyLines(cn, id); });
  if (IdModello > 0) forms::MsgBox(QStringLiteral("Modello generato"), forms::vbOKOnly, AppTitle, this);
}

void frm_io_Com_Prev::copyLines(db::Connection& cn, std::int32_t IdModello) {
  cn.Execute(
      QStringLiteral("INSERT INTO PreVoci ( Codice, Descrizione, DescEstesa, UM, Tariffa, IdModelloPre ) ") +
      QStringLiteral("SELECT CommessePre.Codice, CommessePre.Descrizione, CommessePre.DescEstesa, "
                     "CommessePre.UM, CommessePre.Tariffa, ") +
      QString::number(IdModello) + QStringLiteral(" AS Espr1") +
      QStringLiteral(" From CommessePre WHERE (((CommessePre.CodCom)=") + db::jetText(m_CodCom) +
      QStringLiteral("))"));
}

void frm_io_Com_Prev::cmdPrint_Click() {
  grid::PrintSettings& print = gex->printSettings();
  print.setHeaderText(grid::PrintCenter, QStringLiteral("Preventivo Commessa: ") + m_CodCom);
  print.setHeaderText(grid::PrintRight, Format(Variant(QDate::currentDate()), QStringLiteral("Short Date")));
  showPreview(*gex, true);
}
