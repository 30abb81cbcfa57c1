#include "app/Images.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <functional>

namespace {

QIcon standard(QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); }

// An icon drawn on a 32 x 32 grid, with a dark outline around the shapes it fills.
QIcon drawn(const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(2, 2);
  p.setPen(QPen(QColor(60, 60, 60), 1.2));
  draw(p);
  return QIcon(pixmap);
}

void lines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal step) {
  for (int i = 0; i < count; ++i) p.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
}

void person(QPainter& p, const QColor& clothes) {
  p.setBrush(QColor(240, 200, 160));
  p.drawEllipse(QRectF(11, 4, 10, 11));
  p.setBrush(clothes);
  QPainterPath body;
  body.moveTo(5, 29);
  body.cubicTo(5, 18, 27, 18, 27, 29);
  body.closeSubpath();
  p.drawPath(body);
}

QIcon jobOrders() {  // a clipboard with its sheet
  return drawn([](QPainter& p) {
    p.setBrush(QColor(170, 120, 70));
    p.drawRoundedRect(QRectF(5, 4, 22, 26), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 8, 16, 19));
    p.setBrush(QColor(150, 150, 150));
    p.drawRoundedRect(QRectF(11, 2, 10, 5), 1, 1);
    lines(p, 11, 21, 13, 4, 3.5);
  });
}

QIcon costReports() {  // a calendar page
  return drawn([](QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 6, 24, 22));
    p.setBrush(QColor(200, 50, 50));
    p.drawRect(QRectF(4, 6, 24, 6));
    p.setBrush(QColor(90, 90, 90));
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 4; ++c) p.drawRect(QRectF(7 + c * 5.5, 15 + r * 4.2, 2.5, 2));
  });
}

QIcon articles() {  // a carton box
  return drawn([](QPainter& p) {
    p.setBrush(QColor(210, 160, 90));
    p.drawPolygon(QPolygonF({{4, 11}, {16, 16}, {16, 30}, {4, 25}}));
    p.setBrush(QColor(190, 140, 70));
    p.drawPolygon(QPolygonF({{16, 16}, {28, 11}, {28, 25}, {16, 30}}));
    p.setBrush(QColor(230, 190, 120));
    p.drawPolygon(QPolygonF({{4, 11}, {16, 6}, {28, 11}, {16, 16}}));
  });
}

QIcon suppliers() {  // a delivery van
  return drawn([](QPainter& p) {
    p.setBrush(QColor(70, 130, 200));
    p.drawRect(QRectF(2, 9, 18, 14));
    p.setBrush(QColor(230, 120, 40));
    p.drawPolygon(QPolygonF({{20, 13}, {26, 13}, {30, 18}, {30, 23}, {20, 23}}));
    p.setBrush(QColor(40, 40, 40));
    p.drawEllipse(QRectF(5, 21, 6, 6));
    p.drawEllipse(QRectF(21, 21, 6, 6));
  });
}

QIcon customers() {
  return drawn([](QPainter& p) { person(p, QColor(60, 110, 200)); });
}

QIcon employees() {  // a worker with a helmet
  return drawn([](QPainter& p) {
    person(p, QColor(60, 150, 80));
    p.setBrush(QColor(250, 200, 30));
    p.drawChord(QRectF(9, 1, 14, 12), 0, 180 * 16);
  });
}

QIcon templates() {  // a quote sheet with a folded corner
  return drawn([](QPainter& p) {
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({{7, 3}, {20, 3}, {26, 9}, {26, 29}, {7, 29}}));
    p.setBrush(QColor(200, 200, 200));
    p.drawPolygon(QPolygonF({{20, 3}, {20, 9}, {26, 9}}));
    lines(p, 10, 23, 13, 4, 3.5);
    p.setBrush(QColor(40, 140, 60));
    p.drawEllipse(QRectF(17, 22, 6, 6));
  });
}

QIcon categories() {  // a price tag
  return drawn([](QPainter& p) {
    p.setBrush(QColor(240, 180, 60));
    p.drawPolygon(QPolygonF({{3, 16}, {14, 5}, {28, 5}, {28, 27}, {14, 27}}));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(20, 13, 5, 5));
  });
}

QIcon units() {  // a ruler
  return drawn([](QPainter& p) {
    p.setBrush(QColor(245, 215, 80));
    p.drawRect(QRectF(2, 11, 28, 10));
    for (int i = 0; i < 7; ++i) p.drawLine(QPointF(5 + i * 4, 11), QPointF(5 + i * 4, i % 2 ? 15 : 17));
  });
}

QIcon vatCodes() {  // a percent sign on a coin
  return drawn([](QPainter& p) {
    p.setBrush(QColor(120, 180, 120));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(QPen(Qt::white, 2.2));
    p.drawLine(QPointF(11, 22), QPointF(21, 10));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(9, 9, 4, 4));
    p.drawEllipse(QRectF(19, 19, 4, 4));
  });
}

QIcon printer() {
  return drawn([](QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 9));
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(3, 11, 26, 12), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 19, 14, 10));
    lines(p, 11, 21, 23, 2, 3);
    p.setBrush(QColor(60, 200, 60));
    p.drawEllipse(QRectF(24, 14, 3, 3));
  });
}

}  // namespace

QIcon viewIcon(const QString& code) {
  static const std::pair<const char*, QIcon (*)()> icons[] = {
      {"com", jobOrders}, {"rpu", costReports}, {"art", articles},   {"for", suppliers}, {"cli", customers},
      {"imp", employees}, {"adi", templates},   {"cat", categories}, {"umi", units},     {"iva", vatCodes},
  };
  for (const auto& [viewCode, icon] : icons)
    if (code == QLatin1String(viewCode)) return icon();
  return QIcon();
}

QIcon commandIcon(Command command) {
  switch (command) {
    case Command::New: return standard(QStyle::SP_FileIcon);
    case Command::Open: return standard(QStyle::SP_DialogOpenButton);
    case Command::Delete: return standard(QStyle::SP_TrashIcon);
    case Command::Print: return printer();
  }
  return QIcon();
}
