#pragma once

#include <QPointer>
#include <QString>
#include <vector>

#include "platform/grid/GridTypes.h"
#include "platform/grid/ValueList.h"

namespace grid {

class GridEX;
class GridEngine;

// One column of a grid. Columns are counted from 1 in field order (the order of the query's fields,
// or of the layout); the display order is the position, which the user may change by dragging.
// Widths are in twips.
class GridColumn {
 public:
  GridColumn(GridEX* grid, int index, const QString& key, const QString& caption);
  GridColumn(const GridColumn&) = delete;
  GridColumn& operator=(const GridColumn&) = delete;

  int index() const { return m_index; }
  GridEX* grid() const { return m_grid; }

  // Field name the column shows; empty for a column of an unbound grid that has none.
  QString key() const { return m_key; }
  void setKey(const QString& key);

  QString caption() const { return m_caption; }
  void setCaption(const QString& caption);

  int width() const;  // twips
  void setWidth(int twips);

  bool visible() const { return m_visible; }
  void setVisible(bool visible);

  // Display position among all columns, from 1.
  int position() const;
  void setPosition(int position);

  // Display pattern of the runtime's Format ("#,#.00", "dd-mm-yyyy", "Currency"); empty: plain.
  QString format() const { return m_format; }
  void setFormat(const QString& pattern);

  // Name of the grid's format style for this column's cells; empty or unknown: none.
  QString cellStyle() const { return m_cellStyle; }
  void setCellStyle(const QString& name);

  ColumnType type() const { return m_type; }
  void setType(ColumnType type);

  bool editable() const { return m_editable; }
  void setEditable(bool editable);

  // A column that is not selectable never takes the cursor: the cursor skips it.
  bool selectable() const { return m_selectable; }
  void setSelectable(bool selectable);

  bool resizable() const { return m_resizable; }
  void setResizable(bool resizable);

  // A cell button: clicking it raises the grid's columnButtonClick.
  bool hasButton() const { return m_button; }
  void setButton(bool button);

  // Value a cell of the new-row line starts with (Empty: none).
  Variant defaultValue() const { return m_default; }
  void setDefaultValue(const Variant& value);

  ValueList& valueList() { return m_valueList; }
  const ValueList& valueList() const { return m_valueList; }
  bool hasValueList() const { return m_valueList.count() > 0; }

  // A second grid shown as this column's drop-down list. The cell stores the drop-down's bound
  // column and shows its display column (see GridEX::setDropDownColumns).
  GridEX* dropDown() const;
  void setDropDown(GridEX* dropDown);

  // The data type of the bound field (ADO code), 0 when the column is not bound.
  int dataType() const { return m_dataType; }
  // Defined size of a bound text field (characters), 0 otherwise; the editor takes it as its limit.
  int definedSize() const { return m_definedSize; }

 private:
  friend class GridEX;
  friend class GridEngine;
  friend class ValueList;
  void changed(bool layoutChange = false);

  GridEX* m_grid;
  int m_index;
  QString m_key;
  QString m_caption;
  int m_width = 1440;
  bool m_visible = true;
  int m_position = 0;
  QString m_format;
  QString m_cellStyle;
  ColumnType m_type = ColumnText;
  bool m_editable = true;
  bool m_selectable = true;
  bool m_resizable = true;
  bool m_button = false;
  Variant m_default;
  ValueList m_valueList;
  QPointer<GridEX> m_dropDown;  // cleared when the drop-down grid goes
  int m_dataType = 0;
  int m_definedSize = 0;
  int m_field = -1;  // recordset field the column reads, -1 when none
};

}  // namespace grid
