// RtfExport
#include <QByteArray>
#include <algorithm>

#include "platform/report/ExportFilter.h"
#include "platform/report/TextGrid_p.h"

namespace report {

namespace {

// RTF text: the control characters escaped, everything beyond ASCII as \uN? (N a signed 16-bit
// code unit, surrogate pairs as two escapes).
QByteArray rtfText(const QString& text) {
  QByteArray out;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u == u'\\' || u == u'{' || u == u'}') {
      out += '\\';
      out += char(u);
    } else if (u == u'\n') {
      out += "\\line ";
    } else if (u == u'\t') {
      out += "\\tab ";
    } else if (u < 0x20) {
      continue;
    } else if (u < 0x80) {
      out += char(u);
    } else {
      out += "\\u" + QByteArray::number(int(int16_t(u))) + '?';
    }
  }
  return out;
}

// The document's bottom margin is this much narrower than the report's, so that rounding in the
// word processor, and the closing paragraph that must follow the last table, never push a row
// onto a page of its own.
constexpr int BottomSlack = 60;

QByteArray number(int value) { return QByteArray::number(value); }

// One text of a row: its cell's right edge, from the left margin, and its paragraph.
struct Cell {
  int right = 0;
  QByteArray content;
};

// A table row of an exact height; the texts sit at the top of their cells, without padding.
QByteArray tableRow(int height, const std::vector<Cell>& cells, bool pageBreakBefore) {
  QByteArray row = "\\trowd\\trgaph0\\trleft0\\trrh-" + number(height) +
                   "\\trpaddl0\\trpaddr0\\trpaddt0\\trpaddb0\\trpaddfl3\\trpaddfr3\\trpaddft3\\trpaddfb3";
  for (const Cell& cell : cells) row += "\\clvertalt\\cellx" + number(cell.right);
  row += '\n';
  for (size_t i = 0; i < cells.size(); ++i) {
    row += "\\pard\\plain\\intbl\\sb0\\sa0" + QByteArray(i == 0 && pageBreakBefore ? "\\pagebb" : "") +
           cells[i].content + "\\cell\n";
  }
  return row + "\\row\n";
}

QByteArray alignment(const TextStyle& style) {
  if (style.alignment & Qt::AlignRight) return "\\qr";
  if (style.alignment & Qt::AlignHCenter) return "\\qc";
  return "\\ql";
}

}  // namespace

void RtfExport::beginFile() {
  m_fonts.clear();
  m_body.clear();
  m_paper.reset();
}

QByteArray RtfExport::fontRun(const PageItem& item) {
  auto it = std::find(m_fonts.begin(), m_fonts.end(), item.style.family);
  if (it == m_fonts.end()) it = m_fonts.insert(m_fonts.end(), item.style.family);
  return "{\\f" + number(int(it - m_fonts.begin())) + "\\fs" + number(qRound(item.style.pointSize * 2)) +
         (item.style.bold ? "\\b" : "") + (item.style.italic ? "\\i" : "") + ' ' + rtfText(item.text) + '}';
}

// Each row of texts becomes a table row as tall as the distance to the next one, so the page holds
// exactly what the report's page holds; the space above the first row is an empty row.
void RtfExport::writePage(const Page& page) {
  const bool firstPage = !m_paper;
  if (firstPage) m_paper = Page{page.size, {}, page.margins};
  const QMargins& margins = m_paper->margins;
  const int width = std::max(1, m_paper->size.width() - margins.left() - margins.right());
  int room = std::max(1, m_paper->size.height() - margins.top() - margins.bottom());

  const std::vector<TextRow> rows = textRows(page);
  int y = margins.top();
  bool breakBefore = !firstPage;
  auto addRow = [&](int height, const std::vector<Cell>& cells) {
    height = std::clamp(height, 1, std::max(1, room));
    room -= height;
    m_body += tableRow(height, cells.empty() ? std::vector<Cell>{Cell{width, {}}} : cells, breakBefore);
    breakBefore = false;
    y += height;
  };
  if (rows.empty() || rows.front().top > y) addRow((rows.empty() ? y + 1 : rows.front().top) - y, {});

  for (size_t r = 0; r < rows.size(); ++r) {
    std::vector<const PageItem*> items = rows[r].items;
    std::stable_sort(items.begin(), items.end(),
                     [](const PageItem* a, const PageItem* b) { return a->rect.left() < b->rect.left(); });
    std::vector<Cell> cells;
    int bottom = rows[r].top;
    for (const PageItem* item : items) {
      bottom = std::max(bottom, item->rect.top() + item->rect.height());
      const int left = std::clamp(item->rect.left() - margins.left(), 0, width);
      const int right = std::clamp(item->rect.left() + item->rect.width() - margins.left(), 0, width);
      const int previous = cells.empty() ? 0 : cells.back().right;
      // A text that starts inside the cell before, and ends there too, joins it.
      if (right <= previous && !cells.empty()) {
        cells.back().content.insert(cells.back().content.size(), ' ' + fontRun(*item));
        continue;
      }
      if (left > previous) cells.push_back(Cell{left, {}});
      cells.push_back(Cell{right, alignment(item->style) + fontRun(*item)});
    }
    const int next = r + 1 < rows.size() ? rows[r + 1].top : bottom;
    addRow(next - rows[r].top, cells);
  }
}

void RtfExport::finishFile() {
  QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\n{\\fonttbl";
  for (size_t i = 0; i < m_fonts.size(); ++i)
    rtf += "{\\f" + number(int(i)) + "\\fswiss " + rtfText(m_fonts[i]) + ";}";
  if (m_fonts.empty()) rtf += "{\\f0\\fswiss DejaVu Sans;}";
  rtf += "}\n";
  if (m_paper) {
    const QMargins& m = m_paper->margins;
    rtf += "\\paperw" + number(m_paper->size.width()) + "\\paperh" + number(m_paper->size.height()) +
           "\\margl" + number(m.left()) + "\\margr" + number(m.right()) + "\\margt" + number(m.top()) +
           "\\margb" + number(std::max(0, m.bottom() - BottomSlack)) + "\n";
  }
  put(rtf + m_body + "\\pard\\plain\\fs2\\sl-20\\slmult0\\par\n}\n");
  m_body.clear();
}

}  // namespace report
