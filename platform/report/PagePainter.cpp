#include "platform/report/PagePainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <cmath>

namespace report {

namespace {

constexpr int TwipsPerPoint = 20;

int drawFlags(const PageItem& item) {
  const int horizontal = int(item.style.alignment & Qt::AlignHorizontal_Mask);
  return (horizontal ? horizontal : int(Qt::AlignLeft)) | Qt::AlignTop |
         (item.wrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

// Metrics per style, kept because a run measures the same few styles over and over. Never freed:
// font objects must not outlive the application object at exit.
const QFontMetricsF& metrics(const TextStyle& style) {
  static auto& cache = *new QHash<QString, QFontMetricsF>;
  const QString key = QStringLiteral("%1|%2|%3|%4")
                          .arg(style.family)
                          .arg(style.pointSize)
                          .arg(style.bold)
                          .arg(style.italic);
  auto found = cache.find(key);
  if (found == cache.end()) found = cache.insert(key, QFontMetricsF(twipsFont(style)));
  return *found;
}

void paintText(QPainter& painter, const PageItem& item) {
  painter.setFont(twipsFont(item.style));
  const bool clip = !item.wrap && metrics(item.style).horizontalAdvance(item.text) > item.rect.width();
  if (clip) {
    painter.save();
    painter.setClipRect(item.rect, Qt::IntersectClip);
  }
  painter.drawText(item.rect, drawFlags(item), item.text);
  if (clip) painter.restore();
}

void paintBox(QPainter& painter, const PageItem& item) {
  painter.setPen(QPen(Qt::black, item.lineWidth));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(item.rect);
  if (!item.checked) return;
  const QRect inner = item.rect.adjusted(item.rect.width() / 5, item.rect.height() / 5,
                                         -item.rect.width() / 5, -item.rect.height() / 5);
  painter.drawLine(inner.topLeft(), inner.bottomRight());
  painter.drawLine(inner.bottomLeft(), inner.topRight());
}

}  // namespace

QFont twipsFont(const TextStyle& style) {
  QFont font(style.family);
  font.setPixelSize(std::max(1, int(std::lround(style.pointSize * TwipsPerPoint))));
  font.setBold(style.bold);
  font.setItalic(style.italic);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

int wrappedHeight(const TextStyle& style, const QString& text, int width) {
  const QFontMetricsF& fm = metrics(style);
  const double line = fm.lineSpacing();
  if (text.isEmpty() || (fm.horizontalAdvance(text) <= width && !text.contains(u'\n')))
    return int(std::ceil(line));
  const QRectF bounds = fm.boundingRect(QRectF(0, 0, std::max(width, 1), 1e9),
                                        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
  return int(std::ceil(std::max(bounds.height(), line)));
}

void paintPage(QPainter& painter, const Page& page, double scale) {
  painter.save();
  painter.scale(scale, scale);
  painter.setPen(Qt::black);
  for (const PageItem& item : page.items) {
    switch (item.kind) {
      case PageItem::Kind::Text:
        painter.setPen(Qt::black);
        paintText(painter, item);
        break;
      case PageItem::Kind::Line:
        painter.setPen(QPen(Qt::black, item.lineWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(item.line);
        break;
      case PageItem::Kind::Box:
        paintBox(painter, item);
        break;
    }
  }
  painter.restore();
}

}  // namespace report
