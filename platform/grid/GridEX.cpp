#include "platform/grid/GridEX.h"
#include "platform/db/Recordset.h"
#include "platform/grid/GridDelegate_p.h"
#include "platform/grid/GridEngine_p.h"
#include "platform/grid/GridHeader_p.h"
#include "platform/grid/GridModel_p.h"
#include "platform/grid/GridNavigator_p.h"
#include "platform/grid/GridView_p.h"
#include "platform/grid/GroupByBox_p.h"
#include "platform/runtime/Twips.h"

#include <QHeaderView>
#include <QVBoxLayout>

namespace grid {

GridEX::GridEX(QWidget* parent) : QWidget(parent), d(std::make_unique<GridEngine>(this)) {
  d->headerFont = font();
  d->gridFont = font();
  d->groupBox = new GroupByBox(d.get(), this);
  d->model = new GridModel(d.get(), this);
  d->view = new GridView(d.get(), this);
  d->view->setHorizontalHeader(new GridHeader(d.get(), d->view));
  d->view->setModel(d->model);
  d->view->setItemDelegate(new GridDelegate(d.get(), d->view));
  d->navigatorBar = new GridNavigator(d.get(), this);
  d->navigatorBar->setObjectName(QStringLiteral("navigatore"));
  d->groupBox->setObjectName(QStringLiteral("raggruppamento"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(d->groupBox);
  layout->addWidget(d->view, 1);
  layout->addWidget(d->navigatorBar);
  setFocusProxy(d->view);

  connect(d->view->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current, const QModelIndex& previous) {
            d->onCurrentChanged(current, previous);
          });
  QHeaderView* header = d->view->horizontalHeader();
  connect(header, &QHeaderView::sectionClicked, this,
          [this](int logical) { emit columnHeaderClick(logical + 1); });
  connect(header, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
    if (GridColumn* c = d->column(logical + 1); c && size > 0)
      c->m_width = PixelsToTwips(qRound(size / d->widthScale));
  });
  connect(header, &QHeaderView::sectionMoved, this, [this](int, int, int) {
    for (const auto& c : d->columns)
      c->m_position = d->view->horizontalHeader()->visualIndex(c->index() - 1) + 1;
  });
  d->applyAppearance();
}

GridEX::~GridEX() {
  // The widgets ask the engine for their contents while they go: they go first.
  d->pendingRecord = GridEngine::NoPending;
  delete d->navigatorBar;
  delete d->groupBox;
  delete d->view;
  delete d->model;
}

QWidget* GridEX::view() const { return d->view; }

// ---- binding ------------------------------------------------------------------------------------

QString GridEX::connectionString() const { return d->connectionString; }
void GridEX::setConnectionString(const QString& s) { d->connectionString = s; }
QString GridEX::recordSource() const { return d->recordSource; }
void GridEX::setRecordSource(const QString& sql) { d->recordSource = sql; }
void GridEX::rebind() { d->rebind(); }

DataMode GridEX::dataMode() const { return d->mode; }

int GridEX::itemCount() const { return d->itemCount; }
void GridEX::setItemCount(int count) {
  d->mode = DataMode::Unbound;
  d->setItemCount(count);
}

void GridEX::setDropDownColumns(const QString& boundKey, const QString& displayKey) {
  d->dropDownBoundKey = boundKey;
  d->dropDownDisplayKey = displayKey;
  d->dropDownChanged();
}

// ---- columns ------------------------------------------------------------------------------------

int GridEX::columnCount() const { return static_cast<int>(d->columns.size()); }
GridColumn* GridEX::column(int index) const { return d->column(index); }
GridColumn* GridEX::column(const QString& key) const { return d->columnByKey(key); }

GridColumn* GridEX::addColumn(const QString& key, const QString& caption) {
  GridColumn* c = d->appendColumn(key, caption, false);
  if (d->recordset && !key.isEmpty()) d->mapColumns(nullptr);
  d->unboundRows.assign(d->unboundRows.size(), std::nullopt);
  d->resetModel();
  return c;
}

void GridEX::clearColumns() {
  d->settlePending();
  d->removeAllColumns();
  d->sortKeys->assign({});
  d->groupKeys->assign({});
  d->mapColumns(nullptr);
  d->rebuildOrder(true);
}

// ---- rows and cells -----------------------------------------------------------------------------

int GridEX::row() const { return d->currentDisplayRow(); }
void GridEX::setRow(int row) { d->setCurrentDisplayRow(row); }
int GridEX::col() const { return d->currentColumn(); }
void GridEX::setCol(int column) { d->setCurrentColumn(column); }

int GridEX::rowCount() const {
  d->ensureOrder();
  return static_cast<int>(d->display.size());
}

int GridEX::recordCount() const { return d->recordCount(); }
Variant GridEX::value(int column) const { return d->value(column); }
void GridEX::setValue(int column, const Variant& value) { d->setValue(column, value); }

Variant GridEX::rowValue(int row, int column) const {
  d->ensureOrder();
  const GridColumn* c = d->column(column);
  if (!c) return Variant::null();
  if (row == -1)
    return d->pendingRecord == GridEngine::NewRecord ? d->cellValue(GridEngine::NewRecord, c)
                                                     : Variant::null();
  const int record = d->recordAt(row - 1);
  return record >= 0 ? d->cellValue(record, c) : Variant::null();
}

QString GridEX::cellText(int row, int column) const {
  d->ensureOrder();
  const GridColumn* c = d->column(column);
  if (!c) return QString();
  const int record = row == -1 ? GridEngine::NewRecord : d->recordAt(row - 1);
  if (record == -1 && row != -1) return QString();
  return d->cellText(record, c);
}

bool GridEX::isGroupRow(int row) const {
  d->ensureOrder();
  return d->isGroupDisplay(row - 1);
}

bool GridEX::rowPending() const { return d->pendingRecord != GridEngine::NoPending; }
bool GridEX::updateRow() {
  d->view->commitOpenEditor();
  return d->commitPending();
}
void GridEX::cancelRow() { d->cancelPending(); }
bool GridEX::closingWindow() const { return d->closingWindow; }

// ---- sorting, grouping, finding -----------------------------------------------------------------

SortKeyList& GridEX::sortKeys() { return *d->sortKeys; }
SortKeyList& GridEX::groups() { return *d->groupKeys; }
void GridEX::refreshSort() { d->rebuildOrder(true); }

void GridEX::collapseAll(bool collapse) {
  d->ensureOrder();
  d->collapsedByDefault = collapse;
  d->toggledGroups.clear();
  d->buildDisplay();
  d->resetModel();
}

bool GridEX::find(int column, int condition, const Variant& value, int startRow, int direction) {
  return d->find(column, condition, value, startRow, direction);
}

// ---- appearance ---------------------------------------------------------------------------------

FormatStyle& GridEX::formatStyle(const QString& name) {
  if (!d->styles.contains(name)) d->styles.insert(name, FormatStyle{});
  d->model->columnsChanged();
  return d->styles[name];
}
bool GridEX::hasFormatStyle(const QString& name) const { return d->styles.contains(name); }

QFont GridEX::headerFont() const { return d->headerFont; }
void GridEX::setHeaderFont(const QFont& font) {
  d->headerFont = font;
  d->applyAppearance();
}
QFont GridEX::gridFont() const { return d->gridFont; }
void GridEX::setGridFont(const QFont& font) {
  d->gridFont = font;
  d->applyAppearance();
}

#define GRID_PROPERTY(Type, getter, setter, member) \
  Type GridEX::getter() const { return d->member; } \
  void GridEX::setter(Type v) {                     \
    d->member = v;                                  \
    d->applyAppearance();                           \
  }

GRID_PROPERTY(quint32, headerForeColor, setHeaderForeColor, headerForeColor)
GRID_PROPERTY(quint32, foreColor, setForeColor, foreColor)
GRID_PROPERTY(quint32, backColor, setBackColor, backColor)
GRID_PROPERTY(quint32, groupHeaderBackColor, setGroupHeaderBackColor, groupHeaderBackColor)
GRID_PROPERTY(bool, gridLines, setGridLines, gridLines)
GRID_PROPERTY(int, gridLineStyle, setGridLineStyle, gridLineStyle)
GRID_PROPERTY(bool, columnAutoResize, setColumnAutoResize, columnAutoResize)
GRID_PROPERTY(bool, fillWidth, setFillWidth, fillWidth)
GRID_PROPERTY(bool, columnHeaders, setColumnHeaders, columnHeaders)
GRID_PROPERTY(bool, rowHeaders, setRowHeaders, rowHeaders)
GRID_PROPERTY(bool, groupByBoxVisible, setGroupByBoxVisible, groupByBox)
GRID_PROPERTY(bool, allowColumnDrag, setAllowColumnDrag, allowColumnDrag)
GRID_PROPERTY(bool, recordNavigator, setRecordNavigator, navigator)
GRID_PROPERTY(int, previewRowLines, setPreviewRowLines, previewRowLines)
GRID_PROPERTY(int, previewColumn, setPreviewColumn, previewColumn)
#undef GRID_PROPERTY

QString GridEX::groupByBoxText() const { return d->groupByBoxText; }
void GridEX::setGroupByBoxText(const QString& text) {
  d->groupByBoxText = text;
  d->applyAppearance();
}
QString GridEX::recordNavigatorString() const { return d->navigatorString; }
void GridEX::setRecordNavigatorString(const QString& text) {
  d->navigatorString = text;
  d->updateNavigator();
}

// Changing what may be written changes the new-row line, so the rows are shown again.
#define GRID_EDIT_PROPERTY(getter, setter, member)  \
  bool GridEX::getter() const { return d->member; } \
  void GridEX::setter(bool v) {                     \
    if (d->member == v) return;                     \
    d->member = v;                                  \
    d->resetModel();                                \
    d->applyAppearance();                           \
  }

GRID_EDIT_PROPERTY(allowEdit, setAllowEdit, allowEdit)
GRID_EDIT_PROPERTY(allowAddNew, setAllowAddNew, allowAddNew)
GRID_EDIT_PROPERTY(allowDelete, setAllowDelete, allowDelete)
GRID_EDIT_PROPERTY(newRowVisible, setNewRowVisible, newRowVisible)
#undef GRID_EDIT_PROPERTY

void GridEX::addImage(const QIcon& icon) { d->images.push_back(icon); }

PrintSettings& GridEX::printSettings() { return d->printSettings; }

}  // namespace grid
