#include "platform/report/PagePainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <array>
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
  StyleFont(const TextStyle& style, const QFont& font);

  TextStyle style;
  QFont font;
  QFontMetricsF metrics;
  qreal widestLatin1 = 0;  // the widest advance of a printable Latin-1 character
  // Advances of the characters that numbers and dates are written with, each nonzero only when the
  // font sets it beside any of them without kerning: such a text's advance is their sum.
  std::array<qreal, 0x80> unkerned{};
  QHash<QString, qreal> widths;  // of other texts, measured when laid out and again when drawn
};

StyleFont::StyleFont(const TextStyle& style, const QFont& font) : style(style), font(font), metrics(font) {
  for (char16_t c = 0x20; c <= 0xff; ++c)
    if (c < 0x7f || c >= 0xa0) widestLatin1 = std::max(widestLatin1, metrics.horizontalAdvance(QChar(c)));
  const QString numeric = QStringLiteral(" +-.,:/%()0123456789");
  std::array<bool, 0x80> kerns{};
  for (QChar a : numeric)
    for (QChar b : numeric)
      if (metrics.horizontalAdvance(QString(a) + b) !=
          metrics.horizontalAdvance(a) + metrics.horizontalAdvance(b))
        kerns[a.unicode()] = kerns[b.unicode()] = true;
  for (QChar c : numeric)
    if (!kerns[c.unicode()]) unkerned[c.unicode()] = metrics.horizontalAdvance(c);
}

constexpr qsizetype KeptWidths = 4096;

// The advance of a text as laid out on one line: the sum of its characters' when none of them
// kerns, otherwise shaped.
qreal advance(StyleFont& font, const QString& text) {
  qreal sum = 0;
  for (QChar c : text) {
    const qreal width = c.unicode() < font.unkerned.size() ? font.unkerned[c.unicode()] : 0;
    if (width == 0) {
      auto found = font.widths.constFind(text);
      if (found != font.widths.cend()) return *found;
      if (font.widths.size() >= KeptWidths) font.widths.clear();
      return *font.widths.insert(text, font.metrics.horizontalAdvance(text));
    }
    sum += width;
  }
  return sum;
}

// True when a text of printable Latin-1 characters is surely no wider than `width`: no character
// is wider than the widest, so the text needs no measuring (shaping) to know that it fits.
bool fitsUnmeasured(const StyleFont& font, const QString& text, qreal width) {
  if (text.size() * font.widestLatin1 > width) return false;
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xff; });
}

// True when a text draws on one line as it is: no line breaks, tabs or other control characters.
bool isOneLine(const QString& text) {
  return std::none_of(text.begin(), text.end(), [](QChar c) {
    if (c.unicode() < 0x7f) return c.unicode() < 0x20;
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
  });
}

StyleFont& styleFont(const TextStyle& style) {
  static auto& cache = *new std::vector<std::unique_ptr<StyleFont>>;
  for (const auto& known : cache)
    if (known->style == style) return *known;
  cache.push_back(std::make_unique<StyleFont>(style, twipsFont(style)));
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

// A text on one line is drawn at its baseline, where the laid-out line would put it, and clipped
// to its box only when it runs past it (wider, or taller than the box); only a text that is
// aligned or may be too wide is measured. Wrapped texts and texts with line breaks are laid out.
void paintText(QPainter& painter, PainterState& state, const PageItem& item) {
  StyleFont& font = styleFont(item.style);
  state.textStyle(font);
  if (item.wrap || !isOneLine(item.text)) {
    painter.drawText(item.rect, drawFlags(item), item.text);
    return;
  }
  const QRect& box = item.rect;
  const bool right = item.style.alignment & Qt::AlignRight;
  const bool centre = item.style.alignment & Qt::AlignHCenter;
  const qreal width =
      !right && !centre && fitsUnmeasured(font, item.text, box.width()) ? 0 : advance(font, item.text);
  const qreal x = box.left() + (right ? box.width() - width : centre ? (box.width() - width) / 2 : 0);
  const bool clip = width > box.width() || font.metrics.height() > box.height();
  if (clip) {
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
  }
  painter.drawText(QPointF(x, box.top() + font.metrics.ascent()), item.text);
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
  if (text.isEmpty() ||
      (!text.contains(u'\n') && (fitsUnmeasured(font, text, width) || advance(font, text) <= width)))
    return int(std::ceil(line));
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
