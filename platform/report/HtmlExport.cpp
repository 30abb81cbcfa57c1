// HtmlExport

#include <algorithm>

#include "platform/report/ExportFilter.h"

namespace report {

namespace {

// A length in points: twips are twentieths of a point, so two decimals are exact.
QString pt(int twips) {
  QString n = QString::number(twips / 20.0, 'f', 2);
  while (n.endsWith(u'0')) n.chop(1);
  if (n.endsWith(u'.')) n.chop(1);
  return n + QStringLiteral("pt");
}

QString escaped(const QString& text) { return text.toHtmlEscaped().replace(u'\'', QStringLiteral("&#39;")); }

// The declarations of a text style: font and alignment.
QString declarations(const TextStyle& style) {
  QString align = QStringLiteral("left");
  if (style.alignment & Qt::AlignRight) align = QStringLiteral("right");
  if (style.alignment & Qt::AlignHCenter) align = QStringLiteral("center");
  QString css = QStringLiteral("font-family:'%1';font-size:%2pt;text-align:%3")
                    .arg(escaped(style.family), QString::number(style.pointSize), align);
  if (style.bold) css += QStringLiteral(";font-weight:bold");
  if (style.italic) css += QStringLiteral(";font-style:italic");
  return css;
}

// A text's place; a text on one line is cut at its box, a wrapped one (class w) grows down.
QString place(const PageItem& item) {
  QString css = QStringLiteral("left:%1;top:%2;width:%3")
                    .arg(pt(item.rect.left()), pt(item.rect.top()), pt(item.rect.width()));
  if (!item.wrap) css += QStringLiteral(";height:") + pt(item.rect.height());
  return css;
}

// Lines and boxes in the page's drawing, whose units are twips.
QString graphic(const PageItem& item) {
  const auto n = [](int twips) { return QString::number(twips); };
  const QString stroke = QStringLiteral(" stroke-width=\"%1\"/>").arg(item.lineWidth);
  if (item.kind == PageItem::Kind::Line)
    return QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\"")
               .arg(n(item.line.x1()), n(item.line.y1()), n(item.line.x2()), n(item.line.y2())) +
           stroke;
  QString box = QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"")
                    .arg(n(item.rect.x()), n(item.rect.y()), n(item.rect.width()), n(item.rect.height())) +
                stroke;
  if (item.checked) {
    const QRect r = item.rect.adjusted(item.rect.width() / 5, item.rect.height() / 5, -item.rect.width() / 5,
                                       -item.rect.height() / 5);
    box += QStringLiteral("<path d=\"M%1 %2L%3 %4M%1 %4L%3 %2\"")
               .arg(n(r.left()), n(r.top()), n(r.right()), n(r.bottom())) +
           stroke;
  }
  return box;
}

}  // namespace

void HtmlExport::beginFile() { m_headWritten = false; }

// The stylesheet holds a class per text style of the pages to come (s0, s1, ...).
void HtmlExport::writeHead() {
  QString head = QStringLiteral(
      "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<style>\n"
      "body{background:#ccc;margin:0}\n"
      ".page{position:relative;background:#fff;margin:12px auto;overflow:hidden}\n"
      ".page div{position:absolute;margin:0;line-height:1.2;white-space:pre;overflow:hidden}\n"
      ".page div.w{white-space:pre-wrap;overflow:visible}\n"
      ".page svg{position:absolute;left:0;top:0;fill:none;stroke:black}\n");
  for (size_t i = 0; i < styles().size(); ++i)
    head += QStringLiteral(".s%1{%2}\n").arg(i).arg(declarations(styles()[i]));
  put((head + QStringLiteral("</style>\n</head>\n<body>\n")).toUtf8());
  m_headWritten = true;
}

// Each text names its style's class; a style not known ahead is written on the text itself.
void HtmlExport::writePage(const Page& page) {
  if (!m_headWritten) writeHead();
  const QString width = pt(page.size.width());
  const QString height = pt(page.size.height());
  QString html = QStringLiteral(
                     "<div class=\"page\" style=\"width:%1;height:%2\">\n<svg width=\"%1\" height=\"%2\" "
                     "viewBox=\"0 0 %3 %4\">")
                     .arg(width, height)
                     .arg(page.size.width())
                     .arg(page.size.height());
  for (const PageItem& item : page.items)
    if (item.kind != PageItem::Kind::Text) html += graphic(item);
  html += QStringLiteral("</svg>\n");
  for (const PageItem& item : page.items) {
    if (item.kind != PageItem::Kind::Text) continue;
    const auto known = std::find(styles().begin(), styles().end(), item.style);
    const QString wrap = item.wrap ? QStringLiteral(" class=\"w\"") : QString();
    if (known == styles().end())
      html += QStringLiteral("<div%1 style=\"%2;%3\">").arg(wrap, declarations(item.style), place(item));
    else
      html += QStringLiteral("<div class=\"s%1%2\" style=\"%3\">")
                  .arg(QString::number(known - styles().begin()),
                       item.wrap ? QStringLiteral(" w") : QString(), place(item));
    html += escaped(item.text) + QStringLiteral("</div>\n");
  }
  html += QStringLiteral("</div>\n");
  put(html.toUtf8());
}

void HtmlExport::finishFile() {
  if (!m_headWritten) writeHead();
  put(QByteArrayLiteral("</body>\n</html>\n"));
}

}  // namespace report
