// GridHeader, GridNavigator and GroupByBox: the bars around the rows of a grid.
#include <QDrag>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QMimeData>
#include <QToolButton>

#include "platform/grid/GridEX.h"
#include "platform/grid/GridEngine_p.h"
#include "platform/grid/GridHeader_p.h"
#include "platform/grid/GridModel_p.h"
#include "platform/grid/GridNavigator_p.h"
#include "platform/grid/GridView_p.h"
#include "platform/grid/GroupByBox_p.h"

namespace grid {

const char* const ColumnMimeType = "application/x-commesse-grid-column";

GridHeader::GridHeader(GridEngine* engine, QWidget* parent) : QHeaderView(Qt::Horizontal, parent), e(engine) {
  setSectionsClickable(true);
}

void GridHeader::mousePressEvent(QMouseEvent* event) {
  m_pressedSection = logicalIndexAt(event->position().toPoint());
  QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseMoveEvent(QMouseEvent* event) {
  if (e->groupByBox && m_pressedSection >= 0 && (event->buttons() & Qt::LeftButton) &&
      event->position().y() < 0) {
    const int column = m_pressedSection + 1;
    m_pressedSection = -1;
    auto* mime = new QMimeData;
    mime->setData(ColumnMimeType, QByteArray::number(column));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction);
    return;
  }
  QHeaderView::mouseMoveEvent(event);
}

GridNavigator::GridNavigator(GridEngine* engine, QWidget* parent)
    : QWidget(parent), e(engine), m_label(new QLabel(this)), m_position(new QLabel(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 1, 2, 1);
  layout->setSpacing(2);
  layout->addWidget(m_label);
  auto addButton = [&](const QString& text, auto move) {
    auto* b = new QToolButton(this);
    b->setText(text);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this, [this, move] {
      const int rows = static_cast<int>(e->display.size());
      if (rows == 0) return;
      const int current = e->currentDisplayRow();
      e->setCurrentDisplayRow(
          std::clamp(move(current <= 0 ? (current == -1 ? rows + 1 : 0) : current, rows), 1, rows));
    });
    layout->addWidget(b);
  };
  addButton(QStringLiteral("|\u25C0"), [](int, int) { return 1; });
  addButton(QStringLiteral("\u25C0"), [](int row, int) { return row - 1; });
  layout->addWidget(m_position);
  addButton(QStringLiteral("\u25B6"), [](int row, int) { return row + 1; });
  addButton(QStringLiteral("\u25B6|"), [](int, int rows) { return rows; });
  layout->addStretch(1);
}

QString GridNavigator::text() const { return m_label->text() + ' ' + m_position->text(); }

void GridNavigator::refresh() {
  const QStringList parts = e->navigatorString.split('|');
  m_label->setText(parts.value(0));
  const QString separator = parts.value(1, QStringLiteral("/"));
  // The current row first: asking for it puts a list whose order was put off in order.
  const int current = e->currentDisplayRow();
  const int rows = static_cast<int>(e->display.size());
  const QString position = current == -1 ? QStringLiteral("*") : QString::number(std::max(0, current));
  m_position->setText(QStringLiteral("%1 %2 %3").arg(position, separator).arg(rows));
}

GroupByBox::GroupByBox(GridEngine* engine, QWidget* parent) : QLabel(parent), e(engine) {
  setAcceptDrops(true);
  setFrameShape(QFrame::StyledPanel);
  setMargin(4);
}

void GroupByBox::refresh() {
  QStringList captions;
  for (const SortKey& k : e->groupKeys->keys())
    if (const GridColumn* c = e->column(k.column)) captions << c->caption();
  setText(captions.isEmpty() ? e->groupByBoxText : captions.join(QStringLiteral(" \u203A ")));
}

void GroupByBox::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasFormat(ColumnMimeType)) event->acceptProposedAction();
}

void GroupByBox::dropEvent(QDropEvent* event) {
  const int column = event->mimeData()->data(ColumnMimeType).toInt();
  if (!e->column(column)) return;
  e->groupKeys->add(column, Ascending);
  event->acceptProposedAction();
}

}  // namespace grid
