#include "jobs/frm_io_Costi.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/comfrmDateSelect.h"
#include "common/comfrmFindRecord.h"
#include "core/Globals.h"
#include "core/MainWindowHooks.h"
#include "core/comUtility.h"
#include "jobs/CostGrids.h"
#include "jobs/UnfinishedRow.h"
#include "platform/db/DbError.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/WindowPlacement.h"
#include "platform/grid/GridEX.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Numeric.h"

using namespace costs;

namespace {

// Runs a step that reads the database; a failure is shown with the database's description.
template <class Step>
bool reported(Step step) {
  try {
    step();
    return true;
  } catch (const UserError& error) {
    forms::showError(error);
  }
  return false;
}

// Fills a column's list with the items read, leaving a list that already holds them as it is.
void fillList(grid::ValueList& list, const std::vector<ListItem>& items) {
  bool same = list.count() == static_cast<int>(items.size());
  for (int i = 0; same && i < list.count(); ++i) {
    const ListItem& item = items[static_cast<size_t>(i)];
    same = list.text(i) == item.text && list.value(i) == item.value;
  }
  if (same) return;
  list.clear();
  for (const ListItem& item : items) list.add(item.value, item.text);
}

bool isBlank(const Variant& value) {
  return value.isNull() || value.isEmpty() || (value.isText() && value.toString().trimmed().isEmpty());
}

}  // namespace

frm_io_Costi::frm_io_Costi()
    : QWidget(nullptr, Qt::Window),
      SSTab1(new QTabWidget(this)),
      gexMan(new grid::GridEX),
      gexMat(new grid::GridEX),
      gexAC(new grid::GridEX),
      sgexImp(new grid::GridEX(this)),
      sgexStime(new grid::GridEX(this)),
      sgexMat(new grid::GridEX(this)),
      cmdComSelect(new QPushButton(this)),
      cmdDateApply(new QPushButton(this)) {
  setWindowTitle(QStringLiteral("Dati Reali"));
  setAttribute(Qt::WA_DeleteOnClose);
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  gexMan->setObjectName(QStringLiteral("gexMan"));
  gexMat->setObjectName(QStringLiteral("gexMat"));
  gexAC->setObjectName(QStringLiteral("gexAC"));
  SSTab1->addTab(gexMan, QStringLiteral("  &1 - Manodopera     "));
  SSTab1->addTab(gexMat, QStringLiteral("  &2 - Materiali      "));
  SSTab1->addTab(gexAC, QStringLiteral("  &3 - Altri Costi     "));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdComSelect, 1);
  buttons->addWidget(cmdDateApply, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(SSTab1, 1);
  resize(760, 460);

  setUpCostGrid(*gexMan, Labour);
  setUpCostGrid(*gexMat, Materials);
  setUpCostGrid(*gexAC, OtherCosts);
  setUpEmployeeList(*sgexImp);
  setUpQuoteLineList(*sgexStime);
  setUpArticleList(*sgexMat);
  connectRules(gexMan, Labour);
  connectRules(gexMat, Materials);
  connectRules(gexAC, OtherCosts);
  connect(cmdComSelect, &QPushButton::clicked, this, &frm_io_Costi::cmdComSelect_Click);
  connect(cmdDateApply, &QPushButton::clicked, this, &frm_io_Costi::cmdDateApply_Click);
}

void frm_io_Costi::Apri(const QDate& Data) {
  // A cost row without a day (the view lists it as an empty day) has no day to open.
  if (!Data.isValid()) return;
  if (!settleRows()) {
    raise();
    activateWindow();
    return;
  }
  std::optional<JobOrder> first;
  const bool read = reported([&] { first = firstOpenJobOrder(); });
  if (read && !first)
    forms::MsgBox(QStringLiteral("Nessuna Commessa Attiva presente"), forms::vbOKOnly, AppTitle);
  if (!first) {
    // A window that never showed is not kept.
    if (!isVisible()) deleteLater();
    return;
  }
  m_CodCom = first->code;
  m_EcoTar = first->rate;
  showJobOrder();
  m_Data = Data;
  showDay();
  prepareGrids();
  loadDay();
  if (QWidget* owner = MainWindowHooks::mainWindow(); owner && parentWidget() != owner) {
    forms::setOwner(*this, owner);
    forms::centreOn(*this, owner);
  }
  show();
  raise();
  activateWindow();
}

Currency frm_io_Costi::TarOP(std::int32_t CodImp) {
  Currency rate;
  reported([&] { rate = employeeRate(CodImp); });
  return rate;
}

void frm_io_Costi::showJobOrder() { cmdComSelect->setText("Commessa: " + m_CodCom); }

void frm_io_Costi::showDay() {
  cmdDateApply->setText(Format(Variant(m_Data), QStringLiteral("dddd dd-mmmm-yyyy")));
}

void frm_io_Costi::prepareGrids() {
  for (grid::GridEX* g : {gexMan, gexMat, gexAC, sgexImp, sgexStime, sgexMat})
    g->setConnectionString(ConnString);
  sgexImp->setRecordSource(employeesSql);
  sgexMat->setRecordSource(articlesSql);
  reported([&] { sgexImp->rebind(); });
  reported([&] { sgexMat->rebind(); });
}

void frm_io_Costi::loadDay() {
  const std::pair<grid::GridEX*, CostClass> grids[] = {
      {gexMan, Labour}, {gexMat, Materials}, {gexAC, OtherCosts}};
  for (const auto& [g, costClass] : grids) {
    g->setRecordSource(daySql(m_CodCom, m_Data, costClass));
    reported([g = g] { g->rebind(); });
  }
  reported([&] { fillLists(); });
  sgexStime->setRecordSource(quoteLinesSql(m_CodCom));
  reported([&] { sgexStime->rebind(); });
  attachDropDowns();
}

void frm_io_Costi::fillLists() {
  const std::vector<ListItem> unitItems = units();
  const std::vector<ListItem> categoryItems = categories();
  for (grid::GridEX* g : {gexMat, gexAC}) fillList(g->column(colUM)->valueList(), unitItems);
  fillList(gexAC->column(colTipo)->valueList(), categoryItems);
}

void frm_io_Costi::attachDropDowns() {
  gexMan->column(colCodImp)->setDropDown(sgexImp);
  for (grid::GridEX* g : {gexMan, gexMat, gexAC}) g->column(colIdStima)->setDropDown(sgexStime);
  gexMat->column(colCodice)->setDropDown(sgexMat);
  sgexImp->column(2)->setWidth(gexMan->column(colCodImp)->width());
}

bool frm_io_Costi::settleRows() {
  m_leaving = true;
  const auto done = qScopeGuard([this] { m_leaving = false; });
  for (grid::GridEX* g : {gexMan, gexMat, gexAC})
    if (g->rowPending() && !g->updateRow()) {
      SSTab1->setCurrentWidget(g);
      return false;
    }
  return true;
}

void frm_io_Costi::cmdComSelect_Click() {
  if (!settleRows()) return;
  const comfrmFindRecord::Result found = comfrmFindRecord::Trova(
      QStringLiteral("Trova Commessa"),
      QStringLiteral("SELECT CodCom as Codice, DesCom as Descrizione FROM Commesse WHERE Chiusa=False"), 1,
      QStringLiteral("1;2220;4440"), 1, Variant(), this);
  if (found[0] == Variant("i")) {
    const QString code = NzStr(found[1], QString());
    Currency rate;
    if (reported([&] { rate = jobOrderRate(code); })) {
      m_CodCom = code;
      m_EcoTar = rate;
      showJobOrder();
    }
  }
  loadDay();
}

void frm_io_Costi::cmdDateApply_Click() {
  if (!settleRows()) return;
  const Variant day = comfrmDateSelect::Apri(QStringLiteral("Seleziona la Data"), this);
  if (day.isDate()) {
    m_Data = day.toDate();
    showDay();
  }
  loadDay();
}

void frm_io_Costi::connectRules(grid::GridEX* g, CostClass costClass) {
  connect(g, &grid::GridEX::beforeColUpdate, this,
          [this, g](int, int column, const Variant&, bool* cancel) { columnRule(g, column, cancel); });
  connect(g, &grid::GridEX::beforeUpdate, this,
          [this, g, costClass](bool* cancel) { rowRule(g, costClass, cancel); });
  connect(g, &grid::GridEX::writingRow, this, &frm_io_Costi::jobOrderRule);
}

// An employee fills the hourly cost and the job's rate; an article its unit, prices and
// description (an unknown code leaves them as they are).
void frm_io_Costi::columnRule(grid::GridEX* g, int column, bool* cancel) {
  if (g == gexMan && column == colCodImp) {
    const Variant employee = g->value(colCodImp);
    if (isBlank(employee)) {
      *cancel = true;
      return;
    }
    g->setValue(colCostoUnitario, Variant(TarOP(static_cast<std::int32_t>(NzNum(employee, 0)))));
    g->setValue(colPrezzoUnitario, Variant(m_EcoTar));
  } else if (g == gexMat && column == colCodice) {
    const Variant code = g->value(colCodice);
    std::optional<Article> found;
    if (isBlank(code) || !reported([&] { found = article(code.toString()); }) || !found) return;
    g->setValue(colUM, Variant(found->unit));
    g->setValue(colCostoUnitario, Variant(found->cost));
    g->setValue(colPrezzoUnitario, Variant(found->price));
    g->setValue(colDescrizione, Variant(found->description));
  }
}

// A labour row needs its hours and its employee: refused while the user moves between rows, it
// stays in editing silently; refused as the window closes or moves on, the window says what the
// row lacks. Every row takes the window's day and job order, its class, whether it lies outside the
// quote, and its value; its cost and its sale value must fit the money range.
void frm_io_Costi::rowRule(grid::GridEX* g, CostClass costClass, bool* cancel) {
  if (costClass == Labour) {
    const QStringList missing = missingInLabourRow(g);
    if (!missing.isEmpty()) {
      if (m_leaving || g->closingWindow())
        forms::MsgBox(unfinishedRowMessage(missing), forms::vbOKOnly | forms::vbExclamation, AppTitle, this);
      *cancel = true;
      return;
    }
  }
  const std::optional<Currency> value = costs::rowValue(g->value(colQuantita), g->value(colCostoUnitario));
  const QString tooLarge =
      !value ? QStringLiteral("Il valore della riga (quantità per costo unitario) è troppo grande.")
      : !costs::rowValue(g->value(colQuantita), g->value(colPrezzoUnitario))
          ? QStringLiteral("Il valore di vendita della riga (quantità per prezzo unitario) è troppo grande.")
          : QString();
  if (!tooLarge.isEmpty()) {
    forms::MsgBox(tooLarge, forms::vbOKOnly | forms::vbExclamation, AppTitle);
    *cancel = true;
    return;
  }
  g->setValue(colData, Variant(m_Data));
  g->setValue(colCodCom, Variant(m_CodCom));
  g->setValue(colClasse, Variant(static_cast<std::int16_t>(costClass)));
  g->setValue(colInEconomia, Variant(isBlank(g->value(colIdStima))));
  g->setValue(colValore, Variant(*value));
}

QStringList frm_io_Costi::missingInLabourRow(grid::GridEX* g) const {
  QStringList missing;
  if (isBlank(g->value(colCodImp))) missing << g->column(colCodImp)->caption();
  if (!IsNumeric(g->value(colQuantita))) missing << g->column(colQuantita)->caption();
  return missing;
}

// Inside the row's write: another program may have deleted the job order since the window showed
// it, and a row must not be booked on a job order that no longer exists.
void frm_io_Costi::jobOrderRule(bool* cancel) {
  bool exists = false;
  if (!reported([&] { exists = jobOrderExists(m_CodCom); })) {
    *cancel = true;
  } else if (!exists) {
    forms::MsgBox(
        QStringLiteral("La commessa %1 non esiste più: la riga non è stata registrata.").arg(m_CodCom),
        forms::vbOKOnly | forms::vbExclamation, AppTitle, this);
    *cancel = true;
  }
}

void frm_io_Costi::closeEvent(QCloseEvent* event) {
  event->accept();
  MainWindowHooks::SetLay();
}
