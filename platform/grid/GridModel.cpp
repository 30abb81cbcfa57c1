#include "platform/grid/GridModel_p.h"

#include <QBrush>

#include "platform/db/Recordset.h"
#include "platform/grid/CellValues.h"
#include "platform/grid/GridEX.h"
#include "platform/grid/GridEngine_p.h"
#include "platform/grid/GridView_p.h"
#include "platform/runtime/Colors.h"

namespace grid {

GridModel::GridModel(GridEngine* engine, QObject* parent) : QAbstractTableModel(parent), e(engine) {}

int GridModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(e->display.size()) + (e->newRowShown() ? 1 : 0);
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(e->columns.size());
}

int GridModel::recordOfRow(int modelRow) const {
  if (modelRow >= static_cast<int>(e->display.size())) return GridEngine::NewRecord;
  const int record = e->recordAt(modelRow);
  return record >= 0 ? record : -2;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const GridColumn* c = e->column(index.column() + 1);
  if (!c) return {};
  const int row = index.row();
  if (e->isGroupDisplay(row)) {
    const GroupNode& node = e->groupNodes[static_cast<size_t>(-e->display[static_cast<size_t>(row)] - 1)];
    int firstVisible = -1;
    for (const auto& col : e->columns)
      if (col->visible()) {
        firstVisible = col->index() - 1;
        break;
      }
    switch (role) {
      case Qt::DisplayRole:
        if (index.column() != firstVisible) return {};
        return QString(node.level * 4, QChar(' ')) +
               (e->groupCollapsed(node) ? QStringLiteral("\u25B6 ") : QStringLiteral("\u25BC ")) +
               e->groupCaption(node);
      case Qt::BackgroundRole: return QBrush(OleColor(e->groupHeaderBackColor));
      case Qt::FontRole: {
        QFont f = e->gridFont;
        f.setBold(true);
        return f;
      }
      default: return {};
    }
  }
  const int record = recordOfRow(row);
  const FormatStyle* style = nullptr;
  if (!c->cellStyle().isEmpty()) {
    const auto it = e->styles.constFind(c->cellStyle());
    if (it != e->styles.constEnd()) style = &*it;
  }
  switch (role) {
    case Qt::DisplayRole:
      if (c->type() != ColumnText) return {};
      return e->cellText(record, c);
    case Qt::EditRole: {
      const Variant v = e->cellValue(record, c);
      if (c->hasValueList() || c->dropDown()) return e->shownText(v, c);
      if (v.isNull() || v.isEmpty()) return QString();
      if (v.isText()) return v.toString();
      if (v.isDate()) return formatCell(v, QStringLiteral("dd/mm/yyyy"));
      if (v.type() == VarType::Double || v.type() == VarType::Currency)
        return QLocale().toString(v.toDouble(), 'g', 15);
      return formatCell(v, QString());
    }
    case Qt::CheckStateRole:
      if (c->type() != ColumnCheckBox) return {};
      return e->cellValue(record, c).toBool() ? Qt::Checked : Qt::Unchecked;
    case Qt::DecorationRole: {
      if (c->type() != ColumnIcon || record < 0) return {};
      int image = 0;
      if (e->mode == DataMode::Unbound)
        emit e->q->fetchIcon(record + 1, c->index(), &image);
      else
        image = e->cellValue(record, c).toInt();
      if (image >= 1 && image <= static_cast<int>(e->images.size()))
        return e->images[static_cast<size_t>(image - 1)];
      return {};
    }
    case Qt::TextAlignmentRole: {
      return QVariant::fromValue(Qt::AlignVCenter | (rightAligned(c) ? Qt::AlignRight : Qt::AlignLeft));
    }
    case Qt::BackgroundRole:
      if (style && style->backColor) return QBrush(OleColor(*style->backColor));
      return {};
    case Qt::ForegroundRole:
      if (style && style->foreColor) return QBrush(OleColor(*style->foreColor));
      return {};
    case Qt::FontRole:
      if (style && style->font) return *style->font;
      return e->gridFont;
    default: return {};
  }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || e->isGroupDisplay(index.row())) return false;
  if (!(flags(index) & Qt::ItemIsEditable) && role != Qt::CheckStateRole) return false;
  const int record = recordOfRow(index.row());
  const GridColumn* c = e->column(index.column() + 1);
  if (!c) return false;
  Variant typed;
  if (role == Qt::CheckStateRole) {
    if (!c->editable() || !e->allowEdit) return false;
    typed = Variant(value.toInt() == Qt::Checked);
  } else if (role == Qt::EditRole) {
    if (value.userType() == qMetaTypeId<Variant>())
      typed = value.value<Variant>();
    else
      typed = Variant(value.toString());
  } else {
    return false;
  }
  return e->acceptUserValue(record, c->index(), typed);
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal) {
    const GridColumn* c = e->column(section + 1);
    if (!c) return {};
    if (role == Qt::DisplayRole) return c->caption();
    if (role == Qt::FontRole) return e->headerFont;
    if (role == Qt::ForegroundRole) return QBrush(OleColor(e->headerForeColor));
    return {};
  }
  if (role != Qt::DisplayRole) return {};
  const int record = recordOfRow(section);
  if (record == GridEngine::NewRecord) return QStringLiteral("*");
  if (record >= 0 && record == e->pendingRecord) return QStringLiteral("\u270E");
  return QString();
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  if (e->isGroupDisplay(index.row())) return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  const GridColumn* c = e->column(index.column() + 1);
  if (!c) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsSelectable;
  if (c->selectable()) f |= Qt::ItemIsEnabled;
  const bool writable = e->allowEdit && c->editable() && c->selectable() && c->type() != ColumnIcon &&
                        e->mode == DataMode::Bound && e->recordset && e->recordset->Updatable();
  if (writable) {
    if (c->type() == ColumnCheckBox)
      f |= Qt::ItemIsUserCheckable;
    else
      f |= Qt::ItemIsEditable;
  }
  return f;
}

void GridModel::reset() {
  beginResetModel();
  endResetModel();
}

void GridModel::rowChanged(int modelRow) {
  if (modelRow < 0 || modelRow >= rowCount()) return;
  emit dataChanged(index(modelRow, 0), index(modelRow, std::max(0, columnCount() - 1)));
  emit headerDataChanged(Qt::Vertical, modelRow, modelRow);
}

void GridModel::columnsChanged() {
  if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
  if (rowCount() > 0 && columnCount() > 0)
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void GridModel::appendDisplayRow(int record) {
  const int at = static_cast<int>(e->display.size());
  beginInsertRows(QModelIndex(), at, at);
  e->display.push_back(record);
  endInsertRows();
}

}  // namespace grid
