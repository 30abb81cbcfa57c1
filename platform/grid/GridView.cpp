#include "platform/grid/GridView_p.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "platform/forms/MsgBox.h"
#include "platform/grid/GridDelegate_p.h"
#include "platform/grid/GridEX.h"
#include "platform/grid/GridEngine_p.h"
#include "platform/grid/GridHeader_p.h"
#include "platform/grid/GridModel_p.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/KeyCodes.h"

namespace grid {

GridView::GridView(GridEngine* engine, QWidget* parent) : QTableView(parent), e(engine) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  setWordWrap(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setVisible(false);
  horizontalHeader()->setHighlightSections(false);
}

int GridView::rowBaseHeight() const { return QFontMetrics(e->gridFont).height() + 6; }

void GridView::updateRowHeights() {
  const int base = rowBaseHeight();
  verticalHeader()->setDefaultSectionSize(base);
  if (!previewColumn()) return;
  for (int r = 0; r < model()->rowCount(); ++r)
    if (verticalHeader()->sectionSize(r) != base || !previewText(r).isEmpty()) updateRowHeight(r);
}

void GridView::updateRowHeight(int modelRow) {
  const QString text = previewText(modelRow);
  int height = rowBaseHeight();
  if (!text.isEmpty()) {
    const int lines = std::min(e->previewRowLines, static_cast<int>(text.count('\n')) + 1);
    height += lines * QFontMetrics(e->gridFont).lineSpacing() + 4;
  }
  if (verticalHeader()->sectionSize(modelRow) != height) verticalHeader()->resizeSection(modelRow, height);
}

const GridColumn* GridView::previewColumn() const {
  return e->previewRowLines > 0 ? e->column(e->previewColumn) : nullptr;
}

QString GridView::previewText(int modelRow) const {
  const GridColumn* preview = previewColumn();
  const int record = e->model->recordOfRow(modelRow);
  if (!preview || (record < 0 && record != GridEngine::NewRecord)) return QString();
  return e->cellValue(record, preview).toString();
}

void GridView::commitOpenEditor() {
  if (state() != EditingState) return;
  QWidget* editor = QApplication::focusWidget();
  while (editor && editor->parentWidget() != viewport()) editor = editor->parentWidget();
  if (!editor) return;
  emit itemDelegate()->commitData(editor);
  emit itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void GridView::toggleGroupAt(int modelRow) {
  if (!e->isGroupDisplay(modelRow)) return;
  const int node = -e->display[static_cast<size_t>(modelRow)] - 1;
  e->setGroupCollapsed(node, !e->groupCollapsed(e->groupNodes[static_cast<size_t>(node)]));
}

bool GridView::handleOwnKey(int keyCode) {
  const QModelIndex current = currentIndex();
  const bool onGroup = current.isValid() && e->isGroupDisplay(current.row());
  switch (keyCode) {
    case keys::vbKeyEscape:
      if (e->pendingRecord != GridEngine::NoPending && state() != EditingState) {
        e->cancelPending();
        return true;
      }
      return false;
    case keys::vbKeyDelete:
      if (state() == EditingState || !e->allowDelete || onGroup) return false;
      if (e->currentRecord() == GridEngine::NewRecord) {
        e->cancelPending();
        return true;
      }
      if (e->currentRecord() < 0) return false;
      if (forms::MsgBox(QStringLiteral("Eliminare la riga selezionata?"),
                        forms::vbYesNo | forms::vbQuestion | forms::vbDefaultButton2) == forms::vbYes)
        e->deleteCurrent();
      return true;
    case keys::vbKeyLeft:
    case keys::vbKeyRight:
    case keys::vbKeyAdd:
    case keys::vbKeySubtract:
      if (!onGroup) return false;
      e->setGroupCollapsed(-e->display[static_cast<size_t>(current.row())] - 1,
                           keyCode == keys::vbKeyLeft || keyCode == keys::vbKeySubtract);
      return true;
    case keys::vbKeyReturn:
      if (onGroup) {
        toggleGroupAt(current.row());
        return true;
      }
      return false;
    default: return false;
  }
}

void GridView::keyPressEvent(QKeyEvent* event) {
  int code = keys::KeyCode(*event);
  if (code != 0) {
    emit e->q->keyDown(&code, keys::Shift(*event));
    if (code == 0) {
      event->accept();
      return;
    }
  }
  int ascii = keys::KeyAscii(*event);
  if (ascii != 0) {
    emit e->q->keyPress(&ascii);
    if (ascii == 0) {
      event->accept();
      return;
    }
  }
  if (handleOwnKey(code)) {
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

QItemSelectionModel::SelectionFlags GridView::selectionCommand(const QModelIndex& index,
                                                               const QEvent* event) const {
  if (!index.isValid()) return QItemSelectionModel::NoUpdate;
  const QItemSelectionModel::SelectionFlags command = QTableView::selectionCommand(index, event);
  if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
  return command;
}

void GridView::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && event->button() == Qt::LeftButton && !e->isGroupDisplay(index.row())) {
    const GridColumn* c = e->column(index.column() + 1);
    if (c && c->hasButton() &&
        GridDelegate::buttonRect(visualRect(index)).contains(event->position().toPoint())) {
      setCurrentIndex(index);
      if (currentIndex() == index) emit e->q->columnButtonClick(c->index());
      event->accept();
      return;
    }
  }
  QTableView::mousePressEvent(event);
  if (index.isValid()) emit e->q->click();
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (index.isValid() && e->isGroupDisplay(index.row())) {
    toggleGroupAt(index.row());
    event->accept();
    return;
  }
  QTableView::mouseDoubleClickEvent(event);
  if (index.isValid()) emit e->q->dblClick();
}

void GridView::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  QPainter painter(viewport());
  const int first = std::max(0, rowAt(0));
  const int last = rowAt(viewport()->height() - 1);
  const int end = last < 0 ? model()->rowCount() - 1 : last;
  paintGroupRows(painter, first, end);
  paintPreviewRows(painter, first, end);
}

// A group row is one band across the row: its caption is not cut at the first column.
void GridView::paintGroupRows(QPainter& painter, int first, int last) {
  if (e->groupNodes.empty()) return;
  QFont bold = e->gridFont;
  bold.setBold(true);
  painter.setFont(bold);
  const int width = std::min(viewport()->width(), horizontalHeader()->length() - horizontalOffset());
  for (int r = first; r <= last; ++r) {
    if (!e->isGroupDisplay(r)) continue;
    const GroupNode& node = e->groupNodes[static_cast<size_t>(-e->display[static_cast<size_t>(r)] - 1)];
    const QRect band(0, rowViewportPosition(r), width, rowHeight(r) - 1);
    const bool current = currentIndex().isValid() && currentIndex().row() == r;
    painter.fillRect(band,
                     current ? palette().color(QPalette::Highlight) : OleColor(e->groupHeaderBackColor));
    painter.setPen(current ? palette().color(QPalette::HighlightedText) : palette().color(QPalette::Text));
    const QString arrow = e->groupCollapsed(node) ? QStringLiteral("\u25B6 ") : QStringLiteral("\u25BC ");
    painter.drawText(band.adjusted(4 + node.level * 16, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     arrow + e->groupCaption(node));
  }
}

void GridView::paintPreviewRows(QPainter& painter, int first, int last) {
  if (!previewColumn()) return;
  const int base = rowBaseHeight();
  painter.setFont(e->gridFont);
  for (int r = first; r <= last; ++r) {
    const QString text = previewText(r);
    if (text.isEmpty()) continue;
    const QRect area(0, rowViewportPosition(r) + base, viewport()->width(), rowHeight(r) - base);
    painter.fillRect(area.adjusted(0, 0, 0, -1), OleColor(e->backColor));
    painter.setPen(OleColor(colors::vbButtonShadow));
    const QStringList lines = text.split('\n').mid(0, e->previewRowLines);
    painter.drawText(area.adjusted(16, 1, -4, -2), Qt::AlignLeft | Qt::AlignTop, lines.join('\n'));
  }
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // A refused value does not move on to the next cell: the cell is edited again.
  if (static_cast<GridDelegate*>(itemDelegate())->takeRefusal()) hint = QAbstractItemDelegate::NoHint;
  QTableView::closeEditor(editor, hint);
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex current = currentIndex();
  const QModelIndex next = QTableView::moveCursor(action, modifiers);
  // Columns can be shown in another order than the model's: the wrap is judged on screen.
  const QHeaderView* header = horizontalHeader();
  const bool wraps = next.row() != current.row() ||
                     header->visualIndex(next.column()) <= header->visualIndex(current.column());
  if (action != MoveNext || !current.isValid() || !wraps || e->pendingRecord != GridEngine::NewRecord ||
      current.row() != model()->rowCount() - 1)
    return next;
  if (!e->commitPending()) return current;
  // The fresh new row starts in its first cell on screen, whatever the last cell's column was.
  const int newRow = model()->rowCount() - 1;
  for (int v = 0; v < header->count(); ++v) {
    const QModelIndex cell = model()->index(newRow, header->logicalIndex(v));
    if (!isColumnHidden(cell.column()) && (model()->flags(cell) & Qt::ItemIsEnabled)) return cell;
  }
  return model()->index(newRow, next.column());
}

bool GridView::viewportEvent(QEvent* event) {
  const bool handled = QTableView::viewportEvent(event);
  if (event->type() == QEvent::Resize && e->fillWidth) e->applyColumnsToView();
  return handled;
}

void GridView::showEvent(QShowEvent* event) {
  window()->installEventFilter(this);
  e->ensureOrder();
  QTableView::showEvent(event);
}

// Closing the window leaves the row: what was typed is written, and a row that cannot be written
// keeps the window open, so that nothing typed is lost unseen.
bool GridView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close && watched == window() && e->pendingRecord != GridEngine::NoPending) {
    commitOpenEditor();
    e->closingWindow = true;
    const bool written = e->commitPending();
    e->closingWindow = false;
    if (!written) {
      event->ignore();
      return true;
    }
  }
  return QTableView::eventFilter(watched, event);
}

}  // namespace grid
