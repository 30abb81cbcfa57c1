#include "platform/grid/GridColumn.h"

#include "platform/grid/GridEX.h"
#include "platform/grid/GridEngine_p.h"

namespace grid {

GridColumn::GridColumn(GridEX* grid, int index, const QString& key, const QString& caption)
    : m_grid(grid), m_index(index), m_key(key), m_caption(caption), m_position(index) {
  m_valueList.m_column = this;
}

void GridColumn::changed(bool layoutChange) {
  if (m_grid) GridEngine::of(m_grid)->columnChanged(this, layoutChange);
}

void GridColumn::setKey(const QString& key) {
  m_key = key;
  changed(true);
}

void GridColumn::setCaption(const QString& caption) {
  m_caption = caption;
  changed(true);
}

int GridColumn::width() const {
  if (m_grid) return GridEngine::of(m_grid)->columnWidth(this);
  return m_width;
}

void GridColumn::setWidth(int twips) {
  if (m_width == std::max(0, twips)) return;
  m_width = std::max(0, twips);
  changed(true);
}

void GridColumn::setVisible(bool visible) {
  m_visible = visible;
  changed(true);
}

int GridColumn::position() const {
  if (m_grid) return GridEngine::of(m_grid)->columnPosition(this);
  return m_position;
}

void GridColumn::setPosition(int position) {
  if (m_grid)
    GridEngine::of(m_grid)->moveColumn(this, position);
  else
    m_position = position;
}

void GridColumn::setFormat(const QString& pattern) {
  m_format = pattern;
  changed();
}

void GridColumn::setCellStyle(const QString& name) {
  m_cellStyle = name;
  changed();
}

void GridColumn::setType(ColumnType type) {
  m_type = type;
  changed();
}

void GridColumn::setEditable(bool editable) {
  m_editable = editable;
  changed();
}

void GridColumn::setSelectable(bool selectable) {
  m_selectable = selectable;
  changed();
}

void GridColumn::setResizable(bool resizable) {
  m_resizable = resizable;
  changed(true);
}

void GridColumn::setButton(bool button) {
  m_button = button;
  changed();
}

void GridColumn::setDefaultValue(const Variant& value) { m_default = value; }

GridEX* GridColumn::dropDown() const { return m_dropDown.data(); }

void GridColumn::setDropDown(GridEX* dropDown) {
  if (dropDown == m_grid || dropDown == m_dropDown) return;
  m_dropDown = dropDown;
  changed();
}

}  // namespace grid
