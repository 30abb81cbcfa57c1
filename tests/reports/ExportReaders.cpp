#include "tests/reports/ExportReaders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include "tests/reports/ReportTestSupport.h"

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
  return lines(runTool(kPython, {"-c",
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

QString rtfText(const QString& path) {
  QTemporaryDir profile;
  QTemporaryDir out;
  runTool("soffice", {"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(QUrl::FullyEncoded),
                      "--headless", "--convert-to", "txt:Text (encoded):UTF8", "--outdir", out.path(), path});
  QFile text(QDir(out.path()).filePath(QFileInfo(path).completeBaseName() + ".txt"));
  return text.open(QIODevice::ReadOnly) ? QString::fromUtf8(text.readAll()) : QString();
}
