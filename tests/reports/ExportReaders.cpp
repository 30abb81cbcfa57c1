#include "tests/reports/ExportReaders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include "tests/reports/ReportTestSupport.h"
#include "tests/support/PdfText.h"

namespace {

// Debian's interpreter, with the packaged readers (xlrd) beside it.
const QString kPython = QStringLiteral("/usr/bin/python3");

QStringList lines(const QString& output) { return output.split(u'\n', Qt::SkipEmptyParts); }

}  // namespace

QStringList htmlTexts(const QString& path) {
  return lines(runTool(kPython, {"-c",
                                 "import sys, html.parser\n"
                                 "class P(html.parser.HTMLParser):\n"
                                 "    skip = 0\n"
                                 "    def handle_starttag(self, tag, attrs):\n"
                                 "        if tag in ('style', 'script', 'title'): self.skip += 1\n"
                                 "    def handle_endtag(self, tag):\n"
                                 "        if tag in ('style', 'script', 'title'): self.skip -= 1\n"
                                 "    def handle_data(self, d):\n"
                                 "        d = d.strip()\n"
                                 "        if d and not self.skip: print(d)\n"
                                 "P().feed(open(sys.argv[1], encoding='utf-8').read())\n",
                                 path}));
}

QStringList xlsCells(const QString& path) {
  return lines(runTool(
      kPython, {"-c",
                "import sys, xlrd\n"
                "b = xlrd.open_workbook(sys.argv[1])\n"
                "s = b.sheet_by_index(0)\n"
                "for r in range(s.nrows):\n"
                "    for c in s.row(r):\n"
                "        if c.ctype == xlrd.XL_CELL_TEXT: print('T', c.value)\n"
                "        elif c.ctype == xlrd.XL_CELL_NUMBER: print('N', c.value)\n"
                "        elif c.ctype == xlrd.XL_CELL_DATE:\n"
                "            print('D %04d-%02d-%02d' % xlrd.xldate_as_tuple(c.value, b.datemode)[:3])\n",
                path}));
}

QStringList xlsNumbers(const QString& path) {
  return lines(runTool(kPython, {"-c",
                                 "import sys, xlrd\n"
                                 "b = xlrd.open_workbook(sys.argv[1], formatting_info=True)\n"
                                 "s = b.sheet_by_index(0)\n"
                                 "for r in range(s.nrows):\n"
                                 "    for c in s.row(r):\n"
                                 "        if c.ctype in (xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_DATE):\n"
                                 "            f = b.format_map[b.xf_list[c.xf_index].format_key].format_str\n"
                                 "            print('%r|%s' % (c.value, f))\n",
                                 path}));
}

namespace {

// Converts a file with LibreOffice into the format given; returns the converted file's path in `out`.
QString convert(const QString& path, const QString& format, const QTemporaryDir& out) {
  QTemporaryDir profile;
  runTool("soffice",
          {"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(QUrl::FullyEncoded),
           "--headless", "--convert-to", format, "--outdir", out.path(), path});
  return QDir(out.path()).filePath(QFileInfo(path).completeBaseName() + "." + format.section(u':', 0, 0));
}

}  // namespace

QString rtfText(const QString& path) {
  QTemporaryDir out;
  QFile text(convert(path, "txt:Text (encoded):UTF8", out));
  return text.open(QIODevice::ReadOnly) ? QString::fromUtf8(text.readAll()) : QString();
}

QStringList rtfPages(const QString& path) {
  QTemporaryDir out;
  return testenv::pdfPages(convert(path, "pdf", out));
}

std::vector<PageWord> rtfWords(const QString& path) {
  QTemporaryDir out;
  const QString boxes = runTool("pdftotext", {"-bbox", convert(path, "pdf", out), "-"});
  static const QRegularExpression tag(
      R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
  std::vector<PageWord> words;
  int page = 0;
  for (const QRegularExpressionMatch& m : tag.globalMatch(boxes)) {
    if (m.captured(1).isEmpty()) {
      ++page;
      continue;
    }
    const QString text = m.captured(4)
                             .replace("&apos;", "'")
                             .replace("&quot;", "\"")
                             .replace("&lt;", "<")
                             .replace("&gt;", ">")
                             .replace("&amp;", "&");
    words.push_back(
        {page, text, m.captured(1).toDouble(), m.captured(3).toDouble(), m.captured(2).toDouble()});
  }
  return words;
}
