#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/report/ExportFilter.h"
#include "tests/support/RunTool.h"

using namespace report;

namespace {

PageItem text(int top, int left, const QString& shown, Qt::Alignment alignment = Qt::AlignLeft) {
  PageItem item;
  item.rect = QRect(left, top, 1500, 240);
  item.text = shown;
  item.style.alignment = alignment;
  return item;
}

PageItem box(int top, bool ticked) {
  PageItem item;
  item.kind = PageItem::Kind::Box;
  item.rect = QRect(5000, top, 195, 195);
  item.checked = ticked;
  return item;
}

}  // namespace

// Python's parser reads the page as a browser lays it out: each text with the alignment its class
// and its own style give it, and the cross of the ticked box within that box and no other. The
// stylesheet has one class per style, which the texts name instead of repeating it.
TEST(HtmlExport, TextsKeepTheirAlignmentAndTheCrossStaysInItsBox) {
  const QTemporaryDir dir;
  Page page{QSize(11906, 16838), {}, QMargins(1080, 1080, 1080, 1080)};
  page.items = {text(1200, 1080, "Voce"), text(1200, 6000, "Importo", Qt::AlignRight)};
  page.items[1].style.bold = true;
  for (int row = 0; row < 30; ++row) {
    page.items.push_back(text(1500 + row * 260, 1080, QStringLiteral("Voce %1").arg(row)));
    page.items.push_back(text(1500 + row * 260, 6000, QStringLiteral("%1,50").arg(row), Qt::AlignRight));
  }
  page.items.push_back(box(1500, false));
  page.items.push_back(box(1760, true));
  page.items.push_back(box(2020, false));
  HtmlExport html;
  html.setFileName(dir.filePath("pagina.html"));
  html.Export({page});

  const QString read =
      runTool("/usr/bin/python3",
              {"-c",
               "import re, sys\n"
               "from html.parser import HTMLParser\n"
               "src = open(sys.argv[1], encoding='utf-8').read()\n"
               "rules = dict(re.findall(r'\\.(s\\d+)\\{([^}]*)\\}', src))\n"
               "class P(HTMLParser):\n"
               "  def __init__(s):\n"
               "    super().__init__(); s.css = None; s.texts = {}; s.boxes = []; s.crosses = []\n"
               "  def handle_starttag(s, tag, attrs):\n"
               "    a = dict(attrs)\n"
               "    if tag == 'rect': s.boxes.append([float(a[k]) for k in ('x', 'y', 'width', 'height')])\n"
               "    if tag == 'path': s.crosses.append([float(v) for v in re.findall(r'[\\d.]+', a['d'])])\n"
               "    if tag == 'div' and a.get('class') != 'page':\n"
               "      s.css = ';'.join(rules.get(c, '') for c in a.get('class', '').split()) + ';' + "
               "a.get('style', '')\n"
               "  def handle_endtag(s, tag):\n"
               "    if tag == 'div': s.css = None\n"
               "  def handle_data(s, d):\n"
               "    if s.css is not None and d.strip():\n"
               "      align = re.findall(r'text-align:(\\w+)', s.css)\n"
               "      bold = 'bold' in s.css\n"
               "      s.texts[d] = (align[-1] if align else 'left') + (' bold' if bold else '')\n"
               "p = P(); p.feed(src)\n"
               "for t in ('Voce', 'Importo', 'Voce 7', '7,50'): print(t, p.texts.get(t))\n"
               "inside = lambda x, y, b: b[0] <= x <= b[0] + b[2] and b[1] <= y <= b[1] + b[3]\n"
               "for b in p.boxes:\n"
               "  points = [pt for c in p.crosses for pt in zip(c[0::2], c[1::2])]\n"
               "  print(sum(inside(x, y, b) for x, y in points), 'of', len(points))\n"
               "print(src.count('font-family'), len(p.texts))\n",
               html.fileName()});
  EXPECT_EQ(read.trimmed(),
            "Voce left\nImporto right bold\nVoce 7 left\n7,50 right\n"
            "0 of 4\n4 of 4\n0 of 4\n"
            "3 62")
      << read.toStdString();
}
