// HtmlExport

#include "platform/report/ExportFilter.h"
#include "platform/runtime/Twips.h"

namespace report {

namespace {

QString number(int twips) { return QString::number(twips / double(TwipsPerPixel), 'f', 1); }

QString px(int twips) { return number(twips) + QStringLiteral("px"); }

QString escaped(const QString& text) { return text.toHtmlEscaped().replace(u'\'', QStringLiteral("&#39;")); }

QString textStyle(const PageItem& item) {
  QString align = QStringLiteral("left");
  if (item.style.alignment & Qt::AlignRight) align = QStringLiteral("right");
  if (item.style.alignment & Qt::AlignHCenter) align = QStringLiteral("center");
  QString style = QStringLiteral("left:%1;top:%2;width:%3;font-family:'%4';font-size:%5pt;text-align:%6")
                      .arg(px(item.rect.left()), px(item.rect.top()), px(item.rect.width()),
                           escaped(item.style.family), QString::number(item.style.pointSize), align);
  if (item.style.bold) style += QStringLiteral(";font-weight:bold");
  if (item.style.italic) style += QStringLiteral(";font-style:italic");
  style += item.wrap ? QStringLiteral(";white-space:pre-wrap")
                     : QStringLiteral(";white-space:pre;overflow:hidden;height:") + px(item.rect.height());
  return style;
}

QString graphic(const PageItem& item) {
  const QString stroke = QStringLiteral("stroke=\"black\" stroke-width=\"%1\"").arg(number(item.lineWidth));
  if (item.kind == PageItem::Kind::Line)
    return QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\" %5/>")
        .arg(number(item.line.x1()), number(item.line.y1()), number(item.line.x2()), number(item.line.y2()),
             stroke);
  QString box = QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"none\" %5/>")
                    .arg(number(item.rect.x()), number(item.rect.y()), number(item.rect.width()),
                         number(item.rect.height()), stroke);
  if (item.checked) {
    const QRect r = item.rect.adjusted(item.rect.width() / 5, item.rect.height() / 5, -item.rect.width() / 5,
                                       -item.rect.height() / 5);
    box += QStringLiteral("<path d=\"M%1 %2 L%3 %4 M%1 %4 L%3 %2\" %5/>")
               .arg(number(r.left()), number(r.top()), number(r.right()), number(r.bottom()), stroke);
  }
  return box;
}

}  // namespace

void HtmlExport::beginFile() {
  put(
      QByteArrayLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<style>\n"
                        "body{background:#ccc;margin:0}\n"
                        ".page{position:relative;background:#fff;margin:12px auto;overflow:hidden}\n"
                        ".page div{position:absolute;margin:0;line-height:1.2}\n"
                        ".page svg{position:absolute;left:0;top:0}\n"
                        "</style>\n</head>\n<body>\n"));
}

void HtmlExport::writePage(const Page& page) {
  QString html =
      QStringLiteral("<div class=\"page\" style=\"width:%1;height:%2\">\n<svg width=\"%3\" height=\"%4\">")
          .arg(px(page.size.width()), px(page.size.height()), number(page.size.width()),
               number(page.size.height()));
  for (const PageItem& item : page.items)
    if (item.kind != PageItem::Kind::Text) html += graphic(item);
  html += QStringLiteral("</svg>\n");
  for (const PageItem& item : page.items)
    if (item.kind == PageItem::Kind::Text)
      html += QStringLiteral("<div style=\"%1\">%2</div>\n").arg(textStyle(item), escaped(item.text));
  html += QStringLiteral("</div>\n");
  put(html.toUtf8());
}

void HtmlExport::finishFile() { put(QByteArrayLiteral("</body>\n</html>\n")); }

}  // namespace report
