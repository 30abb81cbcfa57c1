// RtfExport
#include <QByteArray>
#include <QFontMetricsF>
#include <algorithm>

#include "platform/report/ExportFilter.h"
#include "platform/report/PagePainter.h"
#include "platform/report/TextGrid_p.h"

namespace report {

namespace {

QByteArray number(int value) { return QByteArray::number(value); }

// Appends RTF text: the control characters escaped, everything beyond ASCII as \uN? (N a signed
// 16-bit code unit, surrogate pairs as two escapes).
void appendText(QByteArray& out, const QString& text) {
  out.reserve(out.size() + text.size());
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u == u'\\' || u == u'{' || u == u'}') {
      out.append('\\').append(char(u));
    } else if (u == u'\n') {
      out.append("\\line ");
    } else if (u == u'\t') {
      out.append("\\tab ");
    } else if (u < 0x20) {
      continue;
    } else if (u < 0x80) {
      out.append(char(u));
    } else {
      out.append("\\u").append(number(int(int16_t(u)))).append('?');
    }
  }
}

// The document's bottom margin is this much narrower than the report's, so that rounding in the
// word processor, and the closing paragraph after the last row, never push a row onto a page of
// its own.
constexpr int BottomSlack = 60;

bool multiLine(const PageItem& item) { return item.wrap || item.text.contains(u'\n'); }

QByteArray alignment(const TextStyle& style) {
  if (style.alignment & Qt::AlignRight) return "\\qr";
  if (style.alignment & Qt::AlignHCenter) return "\\qc";
  return "\\ql";
}

QByteArray tabKind(const TextStyle& style) {
  if (style.alignment & Qt::AlignRight) return "\\tqr";
  if (style.alignment & Qt::AlignHCenter) return "\\tqc";
  return QByteArray();
}

bool leftAligned(const TextStyle& style) { return !(style.alignment & (Qt::AlignRight | Qt::AlignHCenter)); }

}  // namespace

void RtfExport::beginFile() {
  m_paper.reset();
  m_metrics.clear();
}

// The head, with the fonts of the styles to come and the paper of the first page when there is
// one; the body starts from plain characters in the first font.
void RtfExport::writeHead() {
  m_fonts.clear();
  for (const TextStyle& style : styles())
    if (std::find(m_fonts.begin(), m_fonts.end(), style.family) == m_fonts.end())
      m_fonts.push_back(style.family);
  if (m_fonts.empty()) m_fonts.push_back(TextStyle().family);
  QByteArray head = "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\n{\\fonttbl";
  for (size_t i = 0; i < m_fonts.size(); ++i) {
    head += "{\\f" + number(int(i)) + "\\fswiss ";
    appendText(head, m_fonts[i]);
    head += ";}";
  }
  head += "}\n";
  if (m_paper) {
    const QMargins& m = m_paper->margins;
    head += "\\paperw" + number(m_paper->size.width()) + "\\paperh" + number(m_paper->size.height()) +
            "\\margl" + number(m.left()) + "\\margr" + number(m.right()) + "\\margt" + number(m.top()) +
            "\\margb" + number(std::max(0, m.bottom() - BottomSlack)) + "\n";
  }
  put(head + "\\plain\n");
  m_format = CharFormat();
  m_paragraph.reset();
}

// Whether the row's texts go on one tabbed line: none has several lines, and none cut at its width
// is wider than the room it has there (a left-aligned text up to the next text, a right-aligned
// one from the text before), which would push the texts after it from their places. Only a text
// long enough to overflow is measured.
bool RtfExport::fitsOnOneLine(const TextRow& row) {
  const int right = m_paper->size.width() - m_paper->margins.right();
  for (size_t i = 0; i < row.items.size(); ++i) {
    const PageItem& item = *row.items[i];
    if (multiLine(item)) return false;
    int room = item.rect.width();
    if (leftAligned(item.style))
      room = std::max(room,
                      (i + 1 < row.items.size() ? row.items[i + 1]->rect.left() : right) - item.rect.left());
    else if (item.style.alignment & Qt::AlignRight)
      room = std::max(room,
                      item.rect.right() - (i > 0 ? row.items[i - 1]->rect.right() : m_paper->margins.left()));
    if (item.text.size() * metrics(item.style).averageCharWidth() * 2 > room &&
        metrics(item.style).horizontalAdvance(item.text) > room)
      return false;
  }
  return true;
}

const QFontMetricsF& RtfExport::metrics(const TextStyle& style) {
  auto it =
      std::find_if(m_metrics.begin(), m_metrics.end(), [&style](const auto& m) { return m.first == style; });
  if (it == m_metrics.end()) it = m_metrics.insert(m_metrics.end(), {style, QFontMetricsF(twipsFont(style))});
  return it->second;
}

// The text with the character formatting that differs from the one in force before it.
void RtfExport::appendRun(QByteArray& out, const PageItem& item) {
  const auto font = std::find(m_fonts.begin(), m_fonts.end(), item.style.family);
  const CharFormat wanted{font == m_fonts.end() ? 0 : int(font - m_fonts.begin()),
                          qRound(item.style.pointSize * 2), item.style.bold, item.style.italic};
  const qsizetype start = out.size();
  if (wanted.font != m_format.font) out += "\\f" + number(wanted.font);
  if (wanted.halfPoints != m_format.halfPoints) out += "\\fs" + number(wanted.halfPoints);
  if (wanted.bold != m_format.bold) out += wanted.bold ? "\\b" : "\\b0";
  if (wanted.italic != m_format.italic) out += wanted.italic ? "\\i" : "\\i0";
  if (out.size() > start) out += ' ';
  m_format = wanted;
  appendText(out, item.text);
}

// A row of one-line texts: a paragraph as tall as the row, its line as tall as its tallest text,
// with a tab stop at each text's anchor; texts at the same anchor are joined. A paragraph with the
// tab stops of the one before keeps its formatting and changes only its spacing, which spares the
// word processor much of its work.
void RtfExport::appendParagraph(QByteArray& out, const TextRow& row, int height, bool pageBreakBefore) {
  const QMargins& margins = m_paper->margins;
  const int width = std::max(1, m_paper->size.width() - margins.left() - margins.right());
  ParagraphFormat format;
  for (const PageItem* item : row.items) format.line = std::max(format.line, item->rect.height());
  format.line = std::clamp(format.line, 1, height);
  format.after = height - format.line;
  std::vector<int> stops;
  for (const PageItem* item : row.items) {
    const int stop = std::clamp(anchorOf(*item) - margins.left(), 0, width);
    stops.push_back(stop);
    if (stop > 0 && (stops.size() == 1 || stop != stops[stops.size() - 2]))
      format.tabs += tabKind(item->style) + "\\tx" + number(stop);
  }
  const qsizetype start = out.size();
  if (!m_paragraph || m_paragraph->tabs != format.tabs) {
    out += "\\pard\\sl-" + number(format.line) + "\\slmult0";
    if (format.after > 0) out += "\\sa" + number(format.after);
    out += format.tabs;
  } else {
    if (format.line != m_paragraph->line) out += "\\sl-" + number(format.line) + "\\slmult0";
    if (format.after != m_paragraph->after) out += "\\sa" + number(format.after);
  }
  // The break stays with the formatting, so the next paragraph starts afresh.
  if (pageBreakBefore)
    m_paragraph.reset();
  else
    m_paragraph = format;
  if (pageBreakBefore) out += "\\pagebb";
  if (out.size() > start) out += ' ';
  for (size_t i = 0; i < row.items.size(); ++i) {
    if (i > 0 && stops[i] == stops[i - 1])
      out += ' ';
    else if (stops[i] > 0)
      out += "\\tab ";
    appendRun(out, *row.items[i]);
  }
  out += "\\par\n";
}

// A row holding a text of several lines, or one too wide for its place: a table row of the row's
// height, each text in a cell at its place so that it wraps in its own column. A text on one line
// has the room up to the next text, so that the word processor's own measure never wraps it.
void RtfExport::appendTableRow(QByteArray& out, const TextRow& row, int height, bool pageBreakBefore) {
  const QMargins& margins = m_paper->margins;
  const int width = std::max(1, m_paper->size.width() - margins.left() - margins.right());
  std::vector<const PageItem*> items = row.items;
  std::stable_sort(items.begin(), items.end(),
                   [](const PageItem* a, const PageItem* b) { return a->rect.left() < b->rect.left(); });
  std::vector<int> rights;
  QByteArray cells;
  for (size_t i = 0; i < items.size(); ++i) {
    const PageItem& item = *items[i];
    const int left = std::clamp(item.rect.left() - margins.left(), 0, width);
    int right = std::clamp(item.rect.left() + item.rect.width() - margins.left(), 0, width);
    const int previous = rights.empty() ? 0 : rights.back();
    // A text that ends inside the cell before joins it.
    if (right <= previous && !rights.empty()) {
      cells.chop(int(sizeof("\\cell\n")) - 1);
      cells += ' ';
      appendRun(cells, item);
      cells += "\\cell\n";
      continue;
    }
    if (!multiLine(item) && leftAligned(item.style))
      right = std::max(right, i + 1 < items.size()
                                  ? std::clamp(items[i + 1]->rect.left() - margins.left(), 0, width)
                                  : width);
    rights.push_back(right);
    cells += "\\pard\\intbl" + QByteArray(rights.size() == 1 && pageBreakBefore ? "\\pagebb" : "") +
             alignment(item.style);
    if (leftAligned(item.style) && left > previous) cells += "\\li" + number(left - previous);
    cells += ' ';
    appendRun(cells, item);
    cells += "\\cell\n";
  }
  out += "\\trowd\\trgaph0\\trleft0\\trrh-" + number(height) +
         "\\trpaddl0\\trpaddr0\\trpaddt0\\trpaddb0\\trpaddfl3\\trpaddfr3\\trpaddft3\\trpaddfb3";
  for (const int right : rights) out += "\\cellx" + number(right);
  out += '\n' + cells + "\\row\n";
  m_paragraph.reset();
}

// Each row of texts takes the height up to the next row, so the page holds exactly what the
// report's page holds; the space above the first row is an empty paragraph. The page goes to the
// file at once.
void RtfExport::writePage(const Page& page) {
  const bool firstPage = !m_paper;
  if (firstPage) {
    m_paper = Page{page.size, {}, page.margins};
    writeHead();
  }
  const QMargins& margins = m_paper->margins;
  int room = std::max(1, m_paper->size.height() - margins.top() - margins.bottom());
  const auto take = [&room](int height) {
    height = std::clamp(height, 1, std::max(1, room));
    room -= height;
    return height;
  };

  const std::vector<TextRow> rows = textRows(page);
  QByteArray out;
  bool breakBefore = !firstPage;
  if (rows.empty() || rows.front().top > margins.top()) {
    const int height = take((rows.empty() ? margins.top() + 1 : rows.front().top) - margins.top());
    out += "\\pard\\sl-" + number(height) + "\\slmult0" + (breakBefore ? "\\pagebb" : "") + "\\par\n";
    m_paragraph.reset();
    breakBefore = false;
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    int bottom = rows[r].top;
    for (const PageItem* item : rows[r].items)
      bottom = std::max(bottom, item->rect.top() + item->rect.height());
    const int height = take((r + 1 < rows.size() ? rows[r + 1].top : bottom) - rows[r].top);
    if (fitsOnOneLine(rows[r]))
      appendParagraph(out, rows[r], height, breakBefore);
    else
      appendTableRow(out, rows[r], height, breakBefore);
    breakBefore = false;
  }
  put(out);
}

void RtfExport::finishFile() {
  if (!m_paper) writeHead();
  put("\\pard\\fs2\\sl-20\\slmult0\\par\n}\n");
}

}  // namespace report
