#include "platform/report/PagePainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <cmath>
#include <memory>
#include <vector>

namespace report {

namespace {

constexpr int TwipsPerPoint = 20;

int drawFlags(const PageItem& item) {
  const int horizontal = int(item.style.alignment & Qt::AlignHorizontal_Mask);
  return (horizontal ? horizontal : int(Qt::AlignLeft)) | Qt::AlignTop |
         (item.wrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

// Font and metrics of a style, kept because a run measures and draws the same few styles over and
// over. Never freed: font objects must not outlive the application object at exit.
struct StyleFont {
  TextStyle style;
  QFont font;
  QFontMetricsF metrics;
  QHash<QString, qreal> widths;  // a text is measured when laid out and again when drawn
};

constexpr qsizetype KeptWidths = 4096;

qreal advance(StyleFont& font, const QString& text) {
  auto found = font.widths.constFind(text);
  if (found != font.widths.cend()) return *found;
  if (font.widths.size() >= KeptWidths) font.widths.clear();
  return *font.widths.insert(text, font.metrics.horizontalAdvance(text));
}

StyleFont& styleFont(const TextStyle& style) {
  static auto& cache = *new std::vector<std::unique_ptr<StyleFont>>;
  for (const auto& known : cache)
    if (known->style == style) return *known;
  const QFont font = twipsFont(style);
  cache.push_back(std::make_unique<StyleFont>(StyleFont{style, font, QFontMetricsF(font), {}}));
  return *cache.back();
}

// Sets the painter's font and pen only when they change: a page draws many texts of few styles.
class PainterState {
 public:
  explicit PainterState(QPainter& painter) : m_painter(painter) {}
  void textStyle(const StyleFont& font) {
    pen(0);
    if (m_font == &font) return;
    m_painter.setFont(font.font);
    m_font = &font;
  }
  // 0 the plain pen of texts; a width, the flat-capped pen of lines and boxes.
  void pen(int width) {
    if (width == m_penWidth) return;
    m_painter.setPen(width == 0 ? QPen(Qt::black) : QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
    m_penWidth = width;
  }
  void forgetPen() { m_penWidth = -1; }

 private:
  QPainter& m_painter;
  const StyleFont* m_font = nullptr;
  int m_penWidth = -1;
};

void paintText(QPainter& painter, PainterState& state, const PageItem& item) {
  StyleFont& font = styleFont(item.style);
  state.textStyle(font);
  const bool clip = !item.wrap && advance(font, item.text) > item.rect.width();
  if (clip) {
    painter.save();
    painter.setClipRect(item.rect, Qt::IntersectClip);
  }
  painter.drawText(item.rect, drawFlags(item), item.text);
  if (clip) painter.restore();
}

void paintBox(QPainter& painter, const PageItem& item) {
  painter.setPen(QPen(Qt::black, item.lineWidth));
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
  StyleFont& font = styleFont(style);
  const QFontMetricsF& fm = font.metrics;
  const double line = fm.lineSpacing();
  if (text.isEmpty() || (advance(font, text) <= width && !text.contains(u'\n'))) return int(std::ceil(line));
  const QRectF bounds = fm.boundingRect(QRectF(0, 0, std::max(width, 1), 1e9),
                                        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
  return int(std::ceil(std::max(bounds.height(), line)));
}

QPageSize pageSizeOf(const QSize& twips) {
  return QPageSize(QSizeF(twips) / double(TwipsPerPoint), QPageSize::Point, QString(), QPageSize::ExactMatch);
}

void paintPage(QPainter& painter, const Page& page, double scale) {
  painter.save();
  painter.scale(scale, scale);
  painter.setBrush(Qt::NoBrush);
  PainterState state(painter);
  for (const PageItem& item : page.items) {
    switch (item.kind) {
      case PageItem::Kind::Text: paintText(painter, state, item); break;
      case PageItem::Kind::Line:
        state.pen(item.lineWidth);
        painter.drawLine(item.line);
        break;
      case PageItem::Kind::Box:
        paintBox(painter, item);
        state.forgetPen();
        break;
    }
  }
  painter.restore();
}

}  // namespace report
