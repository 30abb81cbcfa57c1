#pragma once

#include <QFont>
#include <QIcon>
#include <QMap>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/grid/GridColumn.h"
#include "platform/grid/GridTypes.h"
#include "platform/grid/PrintSettings.h"
#include "platform/grid/SortKeyList.h"

class QPrinter;

namespace grid {

class GEXPreview;
class GridEngine;
class GridView;

// The data grid every list of the program uses.
//
// Bound mode: set a connection string and a record source (Jet SQL), then rebind(): the query's
// rows show, one column per field unless a layout defines the columns (layout columns find their
// fields by key). An updatable query (one table) lets the user edit, add and delete rows; a new or
// changed row is written when the user leaves it, after beforeUpdate (which may set cells or cancel),
// and when its window closes (a row that cannot be written keeps the window open); Del deletes the
// current row after a Yes/No question. A write that fails shows the data layer's message and keeps
// the row in editing.
// Unbound mode: give the number of rows with setItemCount(); the grid asks for each row's values
// with unboundReadData and for icons with fetchIcon.
//
// Rows are counted from 1 in display order (group rows included); row -1 is the new-row line and 0
// means no row. Columns are counted from 1 in field order.
class GridEX : public QWidget {
  Q_OBJECT
 public:
  explicit GridEX(QWidget* parent = nullptr);
  ~GridEX() override;

  // ---- Binding ------------------------------------------------------------------------------
  QString connectionString() const;
  void setConnectionString(const QString& connectionString);
  QString recordSource() const;
  void setRecordSource(const QString& jetSql);
  // Runs the record source and shows its rows; an empty record source shows no rows. A query that
  // fails throws db::DbError and leaves the grid empty but usable; layout columns whose key is not
  // a field of the query are shown empty and reported by a GridError after the rows are bound.
  void rebind();

  DataMode dataMode() const;
  // Makes the grid unbound with that number of rows; the grid asks for their values again.
  int itemCount() const;
  void setItemCount(int count);

  // Drop-down use: which column the owner cell stores and which one it shows (keys of this grid's
  // columns). By default the first column is stored and the first visible one shown.
  void setDropDownColumns(const QString& boundKey, const QString& displayKey);

  // ---- Columns ------------------------------------------------------------------------------
  int columnCount() const;
  GridColumn* column(int index) const;           // from 1, field order; nullptr when out of range
  GridColumn* column(const QString& key) const;  // by field name (ignoring case); nullptr if none
  GridColumn* addColumn(const QString& key, const QString& caption);
  // Removes every column with the sort keys and groups that name them: a bound grid shows one
  // column per field again.
  void clearColumns();

  // ---- Rows and cells -----------------------------------------------------------------------
  int row() const;
  void setRow(int row);
  int col() const;
  void setCol(int column);
  int rowCount() const;     // display rows, group rows included, the new-row line excluded
  int recordCount() const;  // records (rows of the query, or items of an unbound grid)

  // Value of a column in the current row (the pending values while the row is being edited).
  Variant value(int column) const;
  // Sets a cell of the current row; the row becomes pending and is written when the user leaves it
  // (or on updateRow). Inside beforeUpdate and beforeColUpdate this fills cells of the row at hand.
  void setValue(int column, const Variant& value);
  // The value of a column in any display row (Null for a group row).
  Variant rowValue(int row, int column) const;
  // The text a cell shows (value list text, drop-down text, formatted value).
  QString cellText(int row, int column) const;

  bool isGroupRow(int row) const;
  bool isGroupRow() const { return isGroupRow(row()); }
  bool rowPending() const;  // the current row has changes not yet written
  // Writes the pending row. True when nothing was pending or the row was written; false when
  // beforeUpdate refused it or the write failed (the row stays pending).
  bool updateRow();
  // Drops the pending changes of the current row.
  void cancelRow();
  // True while the pending row is being written because the grid's window closes: a row refused
  // then keeps the window open, so its owner may say why.
  bool closingWindow() const;

  // ---- Sorting, grouping, finding -----------------------------------------------------------
  SortKeyList& sortKeys();
  SortKeyList& groups();
  void refreshSort();  // sorts again (after rows changed)
  void collapseAll(bool collapse = true);
  void expandAll() { collapseAll(false); }

  // Makes the first matching row current (opening the collapsed groups that hold it) and returns
  // true; false (current row unchanged) when no row matches. startRow counts from 1; direction 1
  // forwards, -1 backwards.
  bool find(int column, int condition, const Variant& value, int startRow = 1, int direction = 1);

  // ---- Appearance ---------------------------------------------------------------------------
  FormatStyle& formatStyle(const QString& name);  // created when missing
  bool hasFormatStyle(const QString& name) const;

  QFont headerFont() const;
  void setHeaderFont(const QFont& font);
  QFont gridFont() const;
  void setGridFont(const QFont& font);
  // Colours are the program's colour values (&HBBGGRR or system colours).
  quint32 headerForeColor() const;
  void setHeaderForeColor(quint32 color);
  quint32 foreColor() const;
  void setForeColor(quint32 color);
  quint32 backColor() const;
  void setBackColor(quint32 color);
  quint32 groupHeaderBackColor() const;
  void setGroupHeaderBackColor(quint32 color);
  bool gridLines() const;
  void setGridLines(bool shown);
  int gridLineStyle() const;
  void setGridLineStyle(int style);
  bool columnAutoResize() const;
  void setColumnAutoResize(bool autoResize);
  // Columns narrower together than the grid widen in proportion to fill it (a maximised window);
  // their widths stay as set, and they are never shown narrower. Columns that are not resizable
  // keep their width.
  bool fillWidth() const;
  void setFillWidth(bool fill);
  bool columnHeaders() const;
  void setColumnHeaders(bool shown);
  bool rowHeaders() const;
  void setRowHeaders(bool shown);
  bool groupByBoxVisible() const;
  void setGroupByBoxVisible(bool visible);
  QString groupByBoxText() const;
  void setGroupByBoxText(const QString& text);
  bool allowColumnDrag() const;
  void setAllowColumnDrag(bool allow);
  // Record navigator under the rows: the text is "label|separator", e.g. "riga:|/".
  bool recordNavigator() const;
  void setRecordNavigator(bool shown);
  QString recordNavigatorString() const;
  void setRecordNavigatorString(const QString& text);
  // Preview row: the text of a column shown under each row, up to a number of lines (0 column: off).
  int previewColumn() const;
  void setPreviewColumn(int column);
  int previewRowLines() const;
  void setPreviewRowLines(int lines);

  bool allowEdit() const;
  void setAllowEdit(bool allow);
  bool allowAddNew() const;
  void setAllowAddNew(bool allow);
  bool allowDelete() const;
  void setAllowDelete(bool allow);
  bool newRowVisible() const;  // the new-row line shows when adding is allowed and this is on
  void setNewRowVisible(bool visible);

  // Images for icon columns; fetchIcon hands back an image number counted from 1.
  void addImage(const QIcon& icon);

  // ---- Layout -------------------------------------------------------------------------------
  // The layout as JSON text: columns, sort keys, groups, format styles, fonts, colours and flags.
  // With columns false the grid's columns are left out.
  QString layoutString(bool withColumns = true) const;
  // Applies a layout text. With replaceColumns true the layout's columns replace the grid's (and a
  // bound grid maps them to its fields at once); false keeps the grid's columns and takes the rest.
  // A non-empty connection string becomes the grid's. A text that is not a layout throws GridError
  // and leaves the grid as it was.
  void loadLayoutString(const QString& text, bool replaceColumns = true,
                        const QString& connectionString = QString());
  // The same from a .lyt file (the same JSON). A file that cannot be read throws GridError.
  void loadLayoutFile(const QString& path, bool replaceColumns = true,
                      const QString& connectionString = QString());

  // ---- Printing -----------------------------------------------------------------------------
  PrintSettings& printSettings();
  // Renders the rows, as shown, into the preview.
  void printPreview(GEXPreview* preview);
  // Prints to the printer of that name, without a dialog. False when no such printer exists.
  bool printTo(const QString& printerName);
  // Paints the pages on an already set-up printer (or PDF writer through a QPrinter).
  void paintPages(QPrinter* printer);

  // The widget that shows the rows (for focus handling and tests).
  QWidget* view() const;

 signals:
  // Before a typed value is accepted: value(column) already returns the new value; cells of the row
  // may be set; *cancel = true refuses the value silently and keeps the editor open.
  void beforeColUpdate(int row, int column, const Variant& oldValue, bool* cancel);
  void afterColUpdate(int column);
  // Before a new or changed row is written: cells may be set; *cancel = true keeps the row in
  // editing, without a message.
  void beforeUpdate(bool* cancel);
  // After beforeUpdate, inside the transaction that writes the row: no other program can change
  // the database until the row is written, so what is checked here still holds for the write.
  // *cancel = true writes nothing and keeps the row in editing (the receiver says why).
  void writingRow(bool* cancel);
  void afterUpdate();
  void afterDelete();
  void rowColChange(int lastRow, int lastColumn);
  void columnHeaderClick(int column);
  void click();
  void dblClick();
  // Keys with the program's key codes and shift mask (1 Shift, 2 Ctrl, 4 Alt). Setting *keyCode
  // (or *keyAscii) to 0 swallows the key.
  void keyDown(int* keyCode, int shift);
  void keyPress(int* keyAscii);
  void columnButtonClick(int column);
  // Unbound mode: fill the values of item `row` (from 1).
  void unboundReadData(int row, grid::RowBuffer* values);
  // Unbound mode: the image number (from 1) of an icon cell; 0 shows none.
  void fetchIcon(int row, int column, int* iconIndex);

 private:
  friend class GridEngine;
  friend class GridColumn;
  friend class SortKeyList;
  friend class ValueList;
  friend class GridModel;
  friend class GridView;
  friend class GridDelegate;
  std::unique_ptr<GridEngine> d;
};

}  // namespace grid
