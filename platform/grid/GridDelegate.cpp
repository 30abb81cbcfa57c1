#include "platform/grid/GridDelegate_p.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "platform/db/AdoTypes.h"
#include "platform/grid/CellValues.h"
#include "platform/grid/GridEX.h"
#include "platform/grid/GridEngine_p.h"
#include "platform/grid/GridModel_p.h"
#include "platform/grid/GridView_p.h"

namespace grid {
namespace {

// The list a drop-down column opens: the drop-down grid's rows, its visible columns, its widths.
// It opens as wide as the cell, its last column taking what is left; columns wider together than
// the cell widen it, with room for its frame and scroll bar.
QComboBox* dropDownEditor(GridEX* dropDown, int cellWidth, QWidget* parent) {
  GridEngine* dd = GridEngine::of(dropDown);
  dd->ensureOrder();
  auto* combo = new QComboBox(parent);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  auto* list = new QTableView(combo);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->verticalHeader()->setVisible(false);
  list->horizontalHeader()->setVisible(dd->columnHeaders);
  list->setShowGrid(dd->gridLines);
  combo->setModel(dd->model);
  combo->setView(list);
  int width = 0;
  for (const auto& c : dd->columns) {
    const int col = c->index() - 1;
    list->setColumnHidden(col, !c->visible());
    if (c->visible()) {
      list->setColumnWidth(col, dd->view->columnWidth(col));
      width += dd->view->columnWidth(col);
    }
  }
  list->horizontalHeader()->setStretchLastSection(true);
  if (width > cellWidth)
    list->setMinimumWidth(width + 2 * list->frameWidth() +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list));
  if (const GridColumn* shown = dd->dropDownDisplayColumn()) combo->setModelColumn(shown->index() - 1);
  return combo;
}

// A date cell: typed text, or a calendar with "Oggi" (today) and "Vuoto" (no date).
QLineEdit* dateEditor(QWidget* parent) {
  auto* line = new QLineEdit(parent);
  QAction* open =
      line->addAction(QApplication::style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
  QObject::connect(open, &QAction::triggered, line, [line] {
    auto* popup = new QFrame(line, Qt::Popup);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setObjectName(QStringLiteral("calendario"));
    auto* layout = new QVBoxLayout(popup);
    auto* calendar = new QCalendarWidget(popup);
    const QDate typed = QDate::fromString(line->text(), QStringLiteral("dd/MM/yyyy"));
    if (typed.isValid()) calendar->setSelectedDate(typed);
    layout->addWidget(calendar);
    auto* buttons = new QHBoxLayout;
    auto* today = new QPushButton(QStringLiteral("Oggi"), popup);
    auto* empty = new QPushButton(QStringLiteral("Vuoto"), popup);
    buttons->addWidget(today);
    buttons->addWidget(empty);
    layout->addLayout(buttons);
    auto choose = [line, popup](const QString& text) {
      line->setText(text);
      popup->close();
    };
    QObject::connect(calendar, &QCalendarWidget::activated, popup,
                     [choose](QDate d) { choose(d.toString(QStringLiteral("dd/MM/yyyy"))); });
    QObject::connect(today, &QPushButton::clicked, popup,
                     [choose] { choose(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))); });
    QObject::connect(empty, &QPushButton::clicked, popup, [choose] { choose(QString()); });
    popup->move(line->mapToGlobal(QPoint(0, line->height())));
    popup->show();
  });
  return line;
}

}  // namespace

GridDelegate::GridDelegate(GridEngine* engine, QObject* parent) : QStyledItemDelegate(parent), e(engine) {}

bool GridDelegate::takeRefusal() { return std::exchange(m_refused, false); }

QRect GridDelegate::buttonRect(const QRect& cell) {
  const int w = std::min(cell.height(), 22);
  return QRect(cell.right() - w + 1, cell.top(), w, cell.height());
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  const GridColumn* c = e->column(index.column() + 1);
  if (!c) return nullptr;
  if (GridEX* dropDown = c->dropDown())
    return dropDownEditor(dropDown, e->view->columnWidth(index.column()), parent);
  if (c->hasValueList()) {
    // The typed text is matched as a whole when the cell is left (ValueList::named), so that a
    // value typed is not completed into another item's text.
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setCompleter(nullptr);
    for (int i = 0; i < c->valueList().count(); ++i) combo->addItem(c->valueList().text(i));
    return combo;
  }
  if (c->dataType() == db::adDate) {
    QLineEdit* line = dateEditor(parent);
    line->setFrame(false);
    return line;
  }
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    if (c->definedSize() > 0) line->setMaxLength(c->definedSize());
  }
  return editor;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const GridColumn* c = e->column(index.column() + 1);
  const QString text = m_pendingIndex == index ? m_pendingText : index.data(Qt::EditRole).toString();
  m_pendingIndex = QPersistentModelIndex();
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    if (c && c->dropDown()) {
      combo->setCurrentIndex(-1);
      const Variant v = e->cellValue(e->model->recordOfRow(index.row()), c);
      GridEngine* dd = c->dropDown()->d.get();
      const GridColumn* bound = dd->dropDownBoundColumn();
      for (int r = 0; bound && r < static_cast<int>(dd->display.size()); ++r) {
        const int record = dd->recordAt(r);
        if (record >= 0 && !(v.isNull() || v.isEmpty()) && sameValue(dd->cellValue(record, bound), v)) {
          combo->setCurrentIndex(r);
          break;
        }
      }
    } else {
      combo->setCurrentIndex(combo->findText(text));
    }
    // Selected as a text cell's editor is: a key typed on the cell replaces the text.
    combo->setEditText(text);
    combo->lineEdit()->selectAll();
    return;
  }
  if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    line->setText(text);
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
  GridColumn* c = e->column(index.column() + 1);
  if (!c) return;
  const int record = e->model->recordOfRow(index.row());
  Variant chosen;
  QString typed;
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    typed = combo->currentText();
    if (GridEX* dropDown = c->dropDown()) {
      GridEngine* dd = GridEngine::of(dropDown);
      const GridColumn* bound = dd->dropDownBoundColumn();
      const GridColumn* shown = dd->dropDownDisplayColumn();
      int row = combo->currentIndex();
      if (row < 0 || dd->isGroupDisplay(row) ||
          QString::compare(dd->cellText(dd->recordAt(row), shown), typed, Qt::CaseInsensitive) != 0) {
        row = -1;
        for (int r = 0; r < static_cast<int>(dd->display.size()); ++r) {
          const int rec = dd->recordAt(r);
          if (rec >= 0 && QString::compare(dd->cellText(rec, shown), typed, Qt::CaseInsensitive) == 0) {
            row = r;
            break;
          }
        }
      }
      if (typed.isEmpty())
        chosen = Variant::null();
      else if (row >= 0)
        chosen = dd->cellValue(dd->recordAt(row), bound);
      else if (bound == shown)
        chosen = Variant(typed);
      else
        return;  // a text that names no row of the list changes nothing
    } else {
      const int item = c->valueList().named(typed);
      if (item < 0) return;  // a text that names no item changes nothing
      chosen = c->valueList().value(item);
    }
    if (chosen == e->cellValue(record, c)) return;
  } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
    typed = line->text();
    if (typed == index.data(Qt::EditRole).toString()) return;
    chosen = typedCellValue(typed, c->dataType());
  } else {
    return;
  }
  if (!e->acceptUserValue(record, c->index(), chosen)) {
    // Refused: the cell goes back into editing with what the user typed.
    const QPersistentModelIndex again(index);
    m_refused = true;
    m_pendingIndex = again;
    m_pendingText = typed;
    QTimer::singleShot(0, e->view, [view = e->view, again] {
      if (!again.isValid()) return;
      view->setCurrentIndex(again);
      view->edit(again);
    });
  }
}

// The editor leaves a column's button in sight, so that it can be clicked while the cell is typed into.
void GridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
  QRect area(option.rect.topLeft(), QSize(option.rect.width(), e->view->rowBaseHeight()));
  const GridColumn* c = e->column(index.column() + 1);
  if (c && c->hasButton()) area.setRight(buttonRect(area).left() - 1);
  editor->setGeometry(area);
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  QStyleOptionViewItem opt(option);
  opt.state |= QStyle::State_Enabled;  // cells that cannot take the cursor still read normally
  const int base = e->view->rowBaseHeight();
  if (opt.rect.height() > base) opt.rect.setHeight(base);
  const GridColumn* c = e->column(index.column() + 1);
  const bool withButton = c && c->hasButton() && !e->isGroupDisplay(index.row());
  const QRect cell = opt.rect;
  if (withButton) opt.rect.setRight(buttonRect(cell).left() - 1);
  QStyledItemDelegate::paint(painter, opt, index);
  if (withButton) {
    QStyleOptionButton button;
    button.rect = buttonRect(cell);
    button.text = QStringLiteral("...");
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    QApplication::style()->drawControl(QStyle::CE_PushButton, &button, painter);
  }
}

}  // namespace grid
