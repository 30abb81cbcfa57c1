#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>
#include <vector>

#include "platform/runtime/UserError.h"
#include "platform/runtime/Variant.h"

namespace grid {

// How the grid gets its rows: from a query (bound) or from its owner, row by row (unbound).
enum class DataMode { Bound, Unbound };

// Sort and group directions, with the codes the program's windows use.
enum SortOrder { Ascending = 1, Descending = -1 };

// Find conditions: 0 the cell equals the value, 4 the cell begins with the text (ignoring case).
enum FindCondition { FindEqual = 0, FindBeginsWith = 4 };

// Kind of a column's cells. The group dialog does not offer icon columns.
enum ColumnType { ColumnText = 0, ColumnIcon = 1, ColumnCheckBox = 2 };

// Style of the grid lines when they are shown.
enum GridLineStyle { LineSolid = 0, LineDashes = 1, LineDots = 2 };

// Positions of the page header and footer texts.
enum PrintTextPosition { PrintLeft = 1, PrintCenter = 2, PrintRight = 3 };

// A failure of the grid itself: a layout that cannot be read, a layout column the query lacks, a
// layout file that cannot be opened. The description is Italian and fit to show the user.
class GridError : public UserError {
 public:
  using UserError::UserError;
};

// One sort key or group level: the column (its index, counted from 1) and the direction.
struct SortKey {
  int column = 0;
  int order = Ascending;
  bool operator==(const SortKey&) const = default;
};

// A named cell style. Colours are the program's colour values (plain &HBBGGRR values or system
// colours such as &H80000018); a style without a colour or font leaves the grid's own.
struct FormatStyle {
  std::optional<quint32> backColor;
  std::optional<quint32> foreColor;
  std::optional<QFont> font;
  bool operator==(const FormatStyle&) const = default;
};

// The values of one unbound row, filled by the owner of the grid when the grid asks for them.
// Columns are counted from 1.
class RowBuffer {
 public:
  explicit RowBuffer(int columnCount = 0) : m_values(static_cast<size_t>(columnCount)) {}
  int columnCount() const { return static_cast<int>(m_values.size()); }
  void setValue(int column, const Variant& value) {
    if (column >= 1 && column <= columnCount()) m_values[static_cast<size_t>(column - 1)] = value;
  }
  Variant value(int column) const {
    if (column < 1 || column > columnCount()) return Variant();
    return m_values[static_cast<size_t>(column - 1)];
  }
  std::vector<Variant>& values() { return m_values; }

 private:
  std::vector<Variant> m_values;
};

}  // namespace grid
