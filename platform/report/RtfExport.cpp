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

QByteArray fontIndex(const QString& family, std::vector<QString>& fonts) {
  auto it = std::find(fonts.begin(), fonts.end(), family);
  if (it == fonts.end()) it = fonts.insert(fonts.end(), family);
  return QByteArray::number(qsizetype(it - fonts.begin()));
}

}  // namespace

void RtfExport::finishFile() {
  const Pages& pages = texts();
  int left = pages.empty() ? 0 : pages.front().size.width();
  for (const Page& page : pages)
    for (const PageItem& item : page.items)
      if (item.kind == PageItem::Kind::Text) left = std::min(left, item.rect.left());
  left = std::max(0, left);

  std::vector<QString> fonts;
  QByteArray body;
  for (size_t p = 0; p < pages.size(); ++p) {
    int previousBottom = 0;
    bool firstRow = true;
    for (const TextRow& row : textRows(pages[p])) {
      // Tab stops at the anchors; a text that would sit left of the one before follows it after a blank.
      QByteArray stops;
      QByteArray texts;
      int lastStop = 0;
      int bottom = row.top;
      for (const PageItem* item : row.items) {
        const int stop = anchorOf(*item) - left;
        QByteArray run = "{\\f" + fontIndex(item->style.family, fonts) + "\\fs" +
                         QByteArray::number(qRound(item->style.pointSize * 2)) +
                         (item->style.bold ? "\\b" : "") + (item->style.italic ? "\\i" : "") + ' ' +
                         rtfText(item->text) + '}';
        if (stop > lastStop) {
          if (item->style.alignment & Qt::AlignRight)
            stops += "\\tqr";
          else if (item->style.alignment & Qt::AlignHCenter)
            stops += "\\tqc";
          stops += "\\tx" + QByteArray::number(stop);
          texts += "\\tab " + run;
          lastStop = stop;
        } else if (texts.isEmpty() && stop <= 0) {
          texts += run;
        } else {
          texts += ' ' + run;
        }
        bottom = std::max(bottom, item->rect.top() + item->rect.height());
      }
      const int before = firstRow ? 0 : std::max(0, row.top - previousBottom);
      body += "\\pard\\plain" + QByteArray(firstRow && p > 0 ? "\\pagebb" : "") + "\\sb" +
              QByteArray::number(before) + stops + ' ' + texts + "\\par\n";
      previousBottom = bottom;
      firstRow = false;
    }
  }

  QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\n{\\fonttbl";
  for (size_t i = 0; i < fonts.size(); ++i)
    rtf += "{\\f" + QByteArray::number(qsizetype(i)) + "\\fswiss " + rtfText(fonts[i]) + ";}";
  if (fonts.empty()) rtf += "{\\f0\\fswiss DejaVu Sans;}";
  rtf += "}\n";
  if (!pages.empty()) {
    const QSize size = pages.front().size;
    rtf += "\\paperw" + QByteArray::number(size.width()) + "\\paperh" + QByteArray::number(size.height()) +
           "\\margl" + QByteArray::number(left) + "\\margr" + QByteArray::number(left) +
           "\\margt720\\margb720\n";
  }
  rtf += body + "}\n";
  put(rtf);
}

}  // namespace report
