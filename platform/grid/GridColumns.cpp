// GridEngine: the columns and appearance, applied to the table widget.
#include <algorithm>

#include <QHeaderView>
#include <QVBoxLayout>

#include "platform/db/AdoTypes.h"
#include "platform/db/Recordset.h"
#include "platform/grid/ColumnFit.h"
#include "platform/grid/GridDelegate_p.h"
#include "platform/grid/GridEX.h"
#include "platform/grid/GridEngine_p.h"
#include "platform/grid/GridHeader_p.h"
#include "platform/grid/GridModel_p.h"
#include "platform/grid/GridNavigator_p.h"
#include "platform/grid/GridView_p.h"
#include "platform/grid/GroupByBox_p.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/Twips.h"

namespace grid {
namespace {

int defaultWidth(int adoType) {
  switch (adoType) {
    case db::adBoolean: return 600;
    case db::adSmallInt:
    case db::adInteger: return 900;
    case db::adDate: return 1200;
    case db::adLongVarWChar: return 2400;
    default: return 1440;
  }
}

Qt::PenStyle penStyle(int style) {
  switch (style) {
    case LineDashes: return Qt::DashLine;
    case LineDots: return Qt::DotLine;
    default: return Qt::SolidLine;
  }
}

}  // namespace

GridColumn* GridEngine::column(int index) const {
  if (index < 1 || index > static_cast<int>(columns.size())) return nullptr;
  return columns[static_cast<size_t>(index - 1)].get();
}

GridColumn* GridEngine::columnByKey(const QString& key) const {
  for (const auto& c : columns)
    if (!c->key().isEmpty() && QString::compare(c->key(), key, Qt::CaseInsensitive) == 0) return c.get();
  return nullptr;
}

GridColumn* GridEngine::appendColumn(const QString& key, const QString& caption, bool generated) {
  const int index = static_cast<int>(columns.size()) + 1;
  columns.push_back(std::make_unique<GridColumn>(q, index, key, caption));
  generatedColumns.push_back(generated);
  if (generated && recordset) {
    const int field = recordset->FieldIndex(key);
    if (field >= 0)
      columns.back()->m_width =
          std::max(defaultWidth(recordset->Field(field).type), headingWidth(*q, caption));
  }
  return columns.back().get();
}

void GridEngine::removeAllColumns() {
  forgetTexts();
  columns.clear();
  generatedColumns.clear();
  generatedFrom.clear();
}

void GridEngine::columnChanged(GridColumn*, bool layoutChange) {
  forgetTexts();
  if (layoutChange) applyColumnsToView();
  model->columnsChanged();
  if (groupBox) groupBox->refresh();
}

int GridEngine::columnWidth(const GridColumn* c) const { return c->m_width; }

int GridEngine::columnPosition(const GridColumn* c) const {
  return view->horizontalHeader()->visualIndex(c->index() - 1) + 1;
}

void GridEngine::moveColumn(GridColumn* c, int position) {
  const int count = static_cast<int>(columns.size());
  if (position < 1 || position > count) return;
  QHeaderView* header = view->horizontalHeader();
  header->moveSection(header->visualIndex(c->index() - 1), position - 1);
  for (const auto& col : columns) col->m_position = header->visualIndex(col->index() - 1) + 1;
}

// Puts the columns' widths, visibility, order and resize rules onto the header.
void GridEngine::applyColumnsToView() {
  QHeaderView* header = view->horizontalHeader();
  if (header->count() != static_cast<int>(columns.size())) return;
  QSignalBlocker block(header);
  std::vector<const GridColumn*> byPosition;
  for (const auto& c : columns) byPosition.push_back(c.get());
  std::stable_sort(byPosition.begin(), byPosition.end(),
                   [](const GridColumn* a, const GridColumn* b) { return a->m_position < b->m_position; });
  for (size_t p = 0; p < byPosition.size(); ++p) {
    const int logical = byPosition[p]->index() - 1;
    const int from = header->visualIndex(logical);
    if (from != static_cast<int>(p)) header->moveSection(from, static_cast<int>(p));
  }
  // Filling the width widens the resizable columns only; fixed ones keep their width.
  int total = 0;
  int available = view->viewport()->width();
  for (const auto& c : columns) {
    if (!c->visible()) continue;
    if (c->resizable())
      total += TwipsToPixels(c->m_width);
    else
      available -= std::max(TwipsToPixels(c->m_width), header->minimumSectionSize());
  }
  widthScale = fillWidth && total > 0 && available > total ? double(available) / total : 1.0;
  // Only what differs is set: each setting makes the header lay its sections out again.
  for (const auto& c : columns) {
    const int logical = c->index() - 1;
    if (view->isColumnHidden(logical) == c->visible()) view->setColumnHidden(logical, !c->visible());
    const QHeaderView::ResizeMode mode = columnAutoResize ? QHeaderView::Stretch
                                         : c->resizable() ? QHeaderView::Interactive
                                                          : QHeaderView::Fixed;
    if (header->sectionResizeMode(logical) != mode) header->setSectionResizeMode(logical, mode);
    const double scale = c->resizable() ? widthScale : 1.0;
    const int size = static_cast<int>(TwipsToPixels(c->m_width) * scale);
    if (!columnAutoResize && (header->isSectionHidden(logical) || header->sectionSize(logical) != size))
      header->resizeSection(logical, size);
  }
  for (const auto& c : columns) c->m_position = header->visualIndex(c->index() - 1) + 1;
}

void GridEngine::applyAppearance() {
  view->setFont(gridFont);
  view->horizontalHeader()->setFont(headerFont);
  view->horizontalHeader()->setVisible(columnHeaders);
  view->verticalHeader()->setVisible(rowHeaders);
  view->horizontalHeader()->setSectionsMovable(allowColumnDrag);
  view->setShowGrid(gridLines);
  // Tab moves between the cells of a grid that is edited, and on to the next control otherwise.
  view->setTabKeyNavigation(allowEdit);
  view->setGridStyle(penStyle(gridLineStyle));
  QPalette palette = view->palette();
  palette.setColor(QPalette::Base, OleColor(backColor));
  palette.setColor(QPalette::Text, OleColor(foreColor));
  view->setPalette(palette);
  groupBox->setVisible(groupByBox);
  groupBox->refresh();
  navigatorBar->setVisible(navigator);
  applyColumnsToView();
  view->updateRowHeights();
  updateNavigator();
  model->columnsChanged();
  view->viewport()->update();
}

void GridEngine::updateNavigator() {
  if (navigatorBar && navigator) navigatorBar->refresh();
}

}  // namespace grid
