#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/forms/MsgBox.h"
#include "platform/grid/CellValues.h"
#include "platform/grid/GridEX.h"
#include "platform/grid/GridEngine_p.h"
#include "platform/grid/GridModel_p.h"
#include "platform/grid/GridNavigator_p.h"
#include "platform/grid/GridView_p.h"
#include "platform/grid/GroupByBox_p.h"

#include <QHash>
#include <QHeaderView>
#include <QMetaMethod>
#include <QPair>
#include <QTimer>
#include <cstring>
#include <numeric>

namespace grid {
namespace {

// Sets the row the running event is about, and restores the previous one afterwards.
class ActiveRecord {
 public:
  ActiveRecord(GridEngine& engine, int record) : m_engine(engine), m_previous(engine.activeRecord) {
    engine.activeRecord = record;
  }
  ~ActiveRecord() { m_engine.activeRecord = m_previous; }
  ActiveRecord(const ActiveRecord&) = delete;
  ActiveRecord& operator=(const ActiveRecord&) = delete;

 private:
  GridEngine& m_engine;
  int m_previous;
};

// A number or date as 64 bits that tell equal values apart; nothing for text and other kinds.
std::optional<qint64> valueKey(const Variant& v) {
  switch (v.type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Boolean: return v.toInt();
    case VarType::Currency: return v.toCurrency().raw();
    case VarType::Double: {
      const double d = v.toDouble();
      qint64 bits = 0;
      std::memcpy(&bits, &d, sizeof bits);
      return bits;
    }
    case VarType::Date: return v.toDateTime().toMSecsSinceEpoch();
    default: return std::nullopt;
  }
}

}  // namespace

GridEngine::GridEngine(GridEX* owner)
    : q(owner),
      sortKeys(std::make_unique<SortKeyList>(owner, false)),
      groupKeys(std::make_unique<SortKeyList>(owner, true)) {}

GridEngine::~GridEngine() = default;

// ---- data -------------------------------------------------------------------------------------

int GridEngine::recordCount() const {
  if (mode == DataMode::Unbound) return itemCount;
  return recordset ? recordset->RecordCount() : 0;
}

const std::vector<Variant>& GridEngine::unboundRow(int record) const {
  auto& slot = unboundRows[static_cast<size_t>(record)];
  if (!slot) {
    RowBuffer buffer(static_cast<int>(columns.size()));
    emit q->unboundReadData(record + 1, &buffer);
    slot = std::move(buffer.values());
  }
  return *slot;
}

Variant GridEngine::storedValue(int record, const GridColumn* column) const {
  if (record < 0 || record >= recordCount()) return Variant::null();
  if (mode == DataMode::Unbound) {
    const auto& row = unboundRow(record);
    const size_t i = static_cast<size_t>(column->index() - 1);
    return i < row.size() ? row[i] : Variant::null();
  }
  if (column->m_field < 0) return Variant::null();
  return recordset->ValueAt(record, column->m_field);
}

Variant GridEngine::cellValue(int record, const GridColumn* column) const {
  if (pendingRecord != NoPending && record == pendingRecord) {
    const size_t i = static_cast<size_t>(column->index() - 1);
    return i < pendingValues.size() ? pendingValues[i] : Variant::null();
  }
  if (record == NewRecord) return Variant::null();
  return storedValue(record, column);
}

QString GridEngine::shownText(const Variant& value, const GridColumn* column) const {
  if (column->type() != ColumnText) return QString();
  if (column->hasValueList()) {
    const int item = column->valueList().find(value);
    if (item >= 0) return column->valueList().text(item);
  }
  if (GridEX* dropDown = column->dropDown()) {
    if (!(value.isNull() || value.isEmpty())) return GridEngine::of(dropDown)->dropDownText(value);
  }
  return formatCell(value, column->format());
}

QString GridEngine::groupText(const Variant& value, const GridColumn* column) const {
  return column->type() == ColumnText ? shownText(value, column) : formatCell(value, column->format());
}

QString GridEngine::cellText(int record, const GridColumn* column) const {
  return shownText(cellValue(record, column), column);
}

const std::vector<QString>& GridEngine::storedTexts(const GridColumn* column) const {
  if (textCache.size() != columns.size()) textCache.assign(columns.size(), std::nullopt);
  auto& slot = textCache[static_cast<size_t>(column->index() - 1)];
  if (!slot) {
    std::vector<QString> texts;
    const int n = recordCount();
    texts.reserve(static_cast<size_t>(n));
    // Dates and numbers repeat: each distinct one is formatted once.
    QHash<QPair<int, qint64>, QString> formatted;
    for (int r = 0; r < n; ++r) {
      const Variant v = storedValue(r, column);
      const std::optional<qint64> key = valueKey(v);
      if (!key) {
        texts.push_back(groupText(v, column));
        continue;
      }
      const QPair<int, qint64> k(static_cast<int>(v.type()), *key);
      auto it = formatted.constFind(k);
      if (it == formatted.constEnd()) it = formatted.insert(k, groupText(v, column));
      texts.push_back(*it);
    }
    slot = std::move(texts);
  }
  return *slot;
}

void GridEngine::forgetTexts() { textCache.clear(); }

void GridEngine::clearData() {
  forgetTexts();
  recordset.reset();
  trackedRecord = NoPending;
  unboundRows.clear();
  pendingRecord = NoPending;
  pendingValues.clear();
  pendingChanged.clear();
}

void GridEngine::rebind() {
  settlePending();
  // A list whose order was put off still has the row to go back to.
  const int keepRow = rowAfterOrder ? *rowAfterOrder : currentDisplayRow();
  rowAfterOrder.reset();
  clearData();
  dropDownChanged();
  if (mode == DataMode::Unbound) {
    setItemCount(itemCount);
    return;
  }
  QStringList missing;
  if (!recordSource.trimmed().isEmpty()) {
    try {
      if (!connection || !connection->IsOpen() ||
          db::Connection::dataSource(connectionString) != connection->path()) {
        connection = std::make_unique<db::Connection>();
        connection->Open(connectionString);
      }
      auto rs = std::make_unique<db::Recordset>();
      const bool writes = allowEdit || allowAddNew || allowDelete;
      rs->Open(recordSource, *connection, db::adOpenStatic,
               writes ? db::adLockOptimistic : db::adLockReadOnly, db::adCmdText);
      recordset = std::move(rs);
    } catch (const db::DbError&) {
      connection.reset();
      mapColumns(&missing);
      rebuildOrder(true);
      throw;
    }
  }
  mapColumns(&missing);
  // The cursor stays on the same row number, or starts on the first row.
  rowAfterOrder = keepRow;
  if (q->isVisible() || (sortKeys->keys().empty() && groupKeys->keys().empty()))
    rebuildOrder(true);
  else
    putOffOrder();
  throwIfMissing(missing);
}

// A hidden list (a drop-down) shows its rows as read until it shows or is asked for them: its sort
// then runs once, and not on every read of a list that nobody opens.
void GridEngine::putOffOrder() {
  order.resize(static_cast<size_t>(recordCount()));
  std::iota(order.begin(), order.end(), 0);
  groupNodes.clear();
  groupEntries.clear();
  display = order;
  resetModel();
  orderDirty = true;
}

void GridEngine::throwIfMissing(const QStringList& missing) {
  if (!missing.isEmpty())
    throw GridError(QStringLiteral("Le colonne seguenti del layout non sono presenti nei dati: %1.")
                        .arg(missing.join(", ")));
}

void GridEngine::mapColumns(QStringList* missing) {
  const QStringList fields = recordset ? recordset->FieldNames() : QStringList();
  bool anyDefined = false;
  for (size_t i = 0; i < columns.size(); ++i)
    if (!generatedColumns[i]) anyDefined = true;

  if (!anyDefined && !(columns.size() == static_cast<size_t>(fields.size()) && generatedFrom == fields)) {
    removeAllColumns();
    for (const QString& f : fields) appendColumn(f, f, true);
    generatedFrom = fields;
  } else if (anyDefined) {
    // Keep the defined columns; the fields they do not show follow as hidden columns.
    std::vector<std::unique_ptr<GridColumn>> kept;
    for (size_t i = 0; i < columns.size(); ++i)
      if (!generatedColumns[i]) kept.push_back(std::move(columns[i]));
    columns = std::move(kept);
    generatedColumns.assign(columns.size(), false);
    for (size_t i = 0; i < columns.size(); ++i) columns[i]->m_index = static_cast<int>(i + 1);
    // Fields are told apart by name as the recordset finds them (the first of a repeated name).
    std::vector<bool> shown(static_cast<size_t>(fields.size()), false);
    for (const auto& c : columns)
      if (const int field = recordset && !c->key().isEmpty() ? recordset->FieldIndex(c->key()) : -1;
          field >= 0)
        shown[static_cast<size_t>(field)] = true;
    for (const QString& f : fields)
      if (!shown[static_cast<size_t>(recordset->FieldIndex(f))]) appendColumn(f, f, true)->m_visible = false;
    generatedFrom.clear();
  }
  for (auto& c : columns) {
    c->m_field = recordset && !c->key().isEmpty() ? recordset->FieldIndex(c->key()) : -1;
    if (c->m_field >= 0) {
      const db::FieldInfo& info = recordset->Field(c->m_field);
      c->m_dataType = info.type;
      c->m_definedSize = info.type == db::adVarWChar ? info.definedSize : 0;
      if (info.type == db::adBoolean && c->m_type == ColumnText &&
          generatedColumns[static_cast<size_t>(c->index() - 1)])
        c->m_type = ColumnCheckBox;
    } else if (recordset && !c->key().isEmpty() && missing) {
      missing->append(c->key());
    }
  }
}

void GridEngine::setItemCount(int count) {
  if (pendingRecord != NoPending) cancelPending();
  itemCount = std::max(0, count);
  forgetTexts();
  unboundRows.assign(static_cast<size_t>(itemCount), std::nullopt);
  rebuildOrder(true);
  if (!display.empty() && currentDisplayRow() <= 0) setCurrentDisplayRow(1);
}

GridColumn* GridEngine::dropDownBoundColumn() const {
  if (!dropDownBoundKey.isEmpty())
    if (GridColumn* c = columnByKey(dropDownBoundKey)) return c;
  return column(1);
}

GridColumn* GridEngine::dropDownDisplayColumn() const {
  if (!dropDownDisplayKey.isEmpty())
    if (GridColumn* c = columnByKey(dropDownDisplayKey)) return c;
  for (const auto& c : columns)
    if (c->visible()) return c.get();
  return column(1);
}

QString GridEngine::dropDownText(const Variant& value) const {
  const GridColumn* bound = dropDownBoundColumn();
  const GridColumn* shown = dropDownDisplayColumn();
  if (!bound || !shown) return value.toString();
  if (!dropDownTexts) {
    QHash<QString, QString> texts;
    const int n = recordCount();
    texts.reserve(n);
    for (int r = 0; r < n; ++r) {
      const QString key = storedValue(r, bound).toString().toLower();
      if (!texts.contains(key)) texts.insert(key, shownText(storedValue(r, shown), shown));
    }
    dropDownTexts = std::move(texts);
  }
  const auto it = dropDownTexts->constFind(value.toString().toLower());
  return it != dropDownTexts->constEnd() ? *it : formatCell(value, QString());
}

void GridEngine::dropDownChanged() { dropDownTexts.reset(); }

// ---- current row and editing ------------------------------------------------------------------

bool GridEngine::newRowShown() const {
  return allowAddNew && newRowVisible && allowEdit && mode == DataMode::Bound && recordset &&
         recordset->Updatable();
}

int GridEngine::currentDisplayRow() const {
  ensureOrder();
  const QModelIndex index = view->currentIndex();
  if (!index.isValid()) return 0;
  if (index.row() >= static_cast<int>(display.size())) return newRowShown() ? -1 : 0;
  return index.row() + 1;
}

int GridEngine::currentRecord() const {
  const int row = currentDisplayRow();
  if (row == -1) return NewRecord;
  if (row <= 0) return NoPending;
  const int record = recordAt(row - 1);
  return record >= 0 ? record : NoPending;
}

void GridEngine::setCurrentDisplayRow(int row) {
  ensureOrder();
  int modelRow = -1;
  if (row == -1 && newRowShown())
    modelRow = static_cast<int>(display.size());
  else if (row >= 1 && row <= static_cast<int>(display.size()))
    modelRow = row - 1;
  if (modelRow < 0) return;
  int col = view->currentIndex().isValid() ? view->currentIndex().column() : -1;
  if (col < 0 || view->isColumnHidden(col)) {
    col = 0;
    for (const auto& c : columns)
      if (c->visible()) {
        col = c->index() - 1;
        break;
      }
  }
  view->setCurrentIndex(model->index(modelRow, std::max(0, col)));
  view->scrollTo(view->currentIndex());
}

int GridEngine::currentColumn() const {
  const QModelIndex index = view->currentIndex();
  return index.isValid() ? index.column() + 1 : 0;
}

void GridEngine::setCurrentColumn(int col) {
  if (col < 1 || col > static_cast<int>(columns.size())) return;
  QModelIndex index = view->currentIndex();
  const int row = index.isValid() ? index.row() : (model->rowCount() > 0 ? 0 : -1);
  if (row < 0) return;
  view->setCurrentIndex(model->index(row, col - 1));
}

bool GridEngine::beginPending(int record) {
  if (pendingRecord == record) return true;
  // Another row still being edited is written first; while it cannot be, this one waits.
  if (pendingRecord != NoPending && !commitPending()) return false;
  pendingRecord = record;
  pendingValues.assign(columns.size(), Variant::null());
  pendingChanged.assign(columns.size(), false);
  for (size_t i = 0; i < columns.size(); ++i) {
    if (record == NewRecord) {
      const Variant def = columns[i]->defaultValue();
      if (!def.isEmpty()) {
        pendingValues[i] = convertToField(def, columns[i]->dataType());
        pendingChanged[i] = true;
      }
    } else {
      pendingValues[i] = storedValue(record, columns[i].get());
    }
  }
  updateNavigator();
  return true;
}

Variant GridEngine::value(int col) const {
  const GridColumn* c = column(col);
  if (!c) return Variant::null();
  const int record = activeRecord != NoPending ? activeRecord : currentRecord();
  if (record == NoPending) return Variant::null();
  return cellValue(record, c);
}

void GridEngine::setValue(int col, const Variant& newValue) {
  const GridColumn* c = column(col);
  if (!c) return;
  const int record = activeRecord != NoPending ? activeRecord : currentRecord();
  if (record == NoPending || !beginPending(record)) return;
  const size_t i = static_cast<size_t>(col - 1);
  pendingValues[i] = newValue;
  pendingChanged[i] = true;
  const int shown = record == NewRecord ? static_cast<int>(display.size()) : displayOf(record);
  if (shown >= 0) model->rowChanged(shown);
  // A new long text opens its preview row under the line.
  if (col == previewColumn && shown >= 0) view->updateRowHeight(shown);
}

bool GridEngine::acceptUserValue(int record, int col, const Variant& typed) {
  GridColumn* c = column(col);
  if (!c) return false;
  const Variant converted = convertToField(typed, c->dataType());
  const bool wasPending = pendingRecord == record;
  if (!beginPending(record)) return false;
  const size_t i = static_cast<size_t>(col - 1);
  const Variant oldValue = pendingValues[i];
  const bool oldChanged = pendingChanged[i];
  pendingValues[i] = converted;
  pendingChanged[i] = true;
  bool cancel = false;
  const int row = record == NewRecord ? -1 : displayOf(record) + 1;
  // The events speak of this row even when the cursor has already moved to another one.
  const ActiveRecord active(*this, record);
  emit q->beforeColUpdate(row, col, oldValue, &cancel);
  if (cancel) {
    pendingValues[i] = oldValue;
    pendingChanged[i] = oldChanged;
    if (!wasPending && std::none_of(pendingChanged.begin(), pendingChanged.end(), [](bool b) { return b; }))
      cancelPending();
    return false;
  }
  emit q->afterColUpdate(col);
  const int shown = record == NewRecord ? static_cast<int>(display.size()) : displayOf(record);
  if (shown >= 0) model->rowChanged(shown);
  updateNavigator();
  return true;
}

bool GridEngine::commitPending() {
  if (pendingRecord == NoPending || committing) return pendingRecord == NoPending;
  committing = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{committing};

  bool cancel = false;
  const ActiveRecord active(*this, pendingRecord);
  emit q->beforeUpdate(&cancel);
  if (cancel) return false;
  if (!recordset || !recordset->Updatable()) {
    forms::MsgBox(QStringLiteral("Le righe di questo elenco non si possono modificare."),
                  forms::vbOKOnly | forms::vbExclamation);
    return false;
  }
  for (size_t i = 0; i < columns.size(); ++i) {
    const GridColumn* c = columns[i].get();
    if (c->m_field >= 0 && pendingChanged[i] && !fitsField(pendingValues[i], c->dataType())) {
      forms::MsgBox(QStringLiteral("Il valore \"%1\" non è valido per la colonna \"%2\".")
                        .arg(pendingValues[i].toString(), c->caption()),
                    forms::vbOKOnly | forms::vbExclamation);
      return false;
    }
  }
  const bool isNew = pendingRecord == NewRecord;
  // Only an owner that checks the database inside the write makes the write a transaction of its own.
  const bool guarded = connection && q->isSignalConnected(QMetaMethod::fromSignal(&GridEX::writingRow));
  bool updated = false;
  try {
    if (guarded) {
      connection->BeginTrans();
      bool refused = false;
      emit q->writingRow(&refused);
      if (refused) {
        connection->RollbackTrans();
        return false;
      }
    }
    if (isNew)
      recordset->AddNew();
    else
      recordset->setAbsolutePosition(pendingRecord);
    for (size_t i = 0; i < columns.size(); ++i) {
      const GridColumn* c = columns[i].get();
      if (c->m_field < 0 || !pendingChanged[i]) continue;
      if (!isNew && pendingValues[i] == recordset->ValueAt(pendingRecord, c->m_field)) continue;
      recordset->SetValue(c->m_field, pendingValues[i]);
    }
    if (recordset->EditPending()) recordset->Update();
    updated = true;
    if (guarded) connection->CommitTrans();
  } catch (const db::DbError& error) {
    if (recordset->EditPending()) recordset->CancelUpdate();
    if (guarded && connection->InTransaction()) {
      connection->RollbackTrans();
      // The rows read before hold the write that was rolled back: they are read again.
      if (updated) recordset->Requery();
    }
    forms::showError(error);
    return false;
  }
  const int written = isNew ? recordset->RecordCount() - 1 : pendingRecord;
  forgetTexts();
  pendingRecord = NoPending;
  pendingValues.clear();
  pendingChanged.clear();
  dropDownChanged();
  if (isNew) {
    order.push_back(written);
    if (!groupKeys->keys().empty()) {
      QTimer::singleShot(0, view, [this] { rebuildOrder(true); });
    } else {
      model->appendDisplayRow(written);
      // The written line keeps its preview row; the fresh new-row line below it has none.
      const int shown = static_cast<int>(display.size()) - 1;
      view->updateRowHeight(shown);
      if (newRowShown()) view->updateRowHeight(shown + 1);
    }
  } else {
    const int shown = displayOf(written);
    if (shown >= 0) model->rowChanged(shown);
  }
  updateNavigator();
  activeRecord = written;
  emit q->afterUpdate();
  return true;
}

void GridEngine::cancelPending() {
  if (pendingRecord == NoPending) return;
  const int record = pendingRecord;
  pendingRecord = NoPending;
  pendingValues.clear();
  pendingChanged.clear();
  const int shown = record == NewRecord ? static_cast<int>(display.size()) : displayOf(record);
  if (shown >= 0 && shown < model->rowCount()) {
    model->rowChanged(shown);
    view->updateRowHeight(shown);
  }
  updateNavigator();
}

void GridEngine::settlePending() {
  view->commitOpenEditor();
  if (pendingRecord != NoPending && !commitPending()) cancelPending();
}

bool GridEngine::deleteCurrent() {
  const int record = currentRecord();
  if (record == NewRecord) {
    cancelPending();
    return false;
  }
  if (record < 0 || mode != DataMode::Bound || !recordset || !recordset->Updatable()) return false;
  if (pendingRecord == record) cancelPending();
  const int row = currentDisplayRow();
  try {
    recordset->setAbsolutePosition(record);
    recordset->Delete();
  } catch (const db::DbError& error) {
    forms::showError(error);
    return false;
  }
  // Records after the deleted one move up by one.
  std::vector<int> kept;
  kept.reserve(order.size());
  for (int r : order)
    if (r != record) kept.push_back(r > record ? r - 1 : r);
  order = std::move(kept);
  if (pendingRecord > record) --pendingRecord;
  forgetTexts();
  dropDownChanged();
  buildGroups();
  buildDisplay();
  resetModel();
  if (!display.empty()) setCurrentDisplayRow(std::min(row, static_cast<int>(display.size())));
  emit q->afterDelete();
  return true;
}

void GridEngine::onCurrentChanged(const QModelIndex& current, const QModelIndex& previous) {
  if (resetting) return;
  if (current.isValid()) {
    trackedRecord = model->recordOfRow(current.row());
    trackedColumn = current.column();
  }
  if (restoringCurrent) return;
  const int lastRow =
      previous.isValid() ? (previous.row() >= static_cast<int>(display.size()) ? -1 : previous.row() + 1) : 0;
  const int lastCol = previous.isValid() ? previous.column() + 1 : 0;
  if (previous.isValid() && current.row() != previous.row() && pendingRecord != NoPending) {
    const int pendingRow =
        pendingRecord == NewRecord ? static_cast<int>(display.size()) : displayOf(pendingRecord);
    if (pendingRow == previous.row() && !commitPending()) {
      // The row stays in editing: the cursor goes back to it.
      restoringCurrent = true;
      const QModelIndex back = model->index(previous.row(), previous.column());
      QTimer::singleShot(0, view, [this, back] {
        if (back.isValid()) view->setCurrentIndex(back);
        restoringCurrent = false;
      });
      return;
    }
  }
  updateNavigator();
  if (!previous.isValid() || current.row() != previous.row() || current.column() != previous.column())
    emit q->rowColChange(lastRow, lastCol);
}

}  // namespace grid
