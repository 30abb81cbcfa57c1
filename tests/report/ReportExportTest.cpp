#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <cmath>
#include <limits>

#include "platform/report/ExportFilter.h"
#include "platform/report/ReportError.h"
#include "platform/report/TextGrid_p.h"
#include "tests/support/RunTool.h"

using namespace report;

namespace {

constexpr int ArticleCount = 60;
constexpr int RowsPerPage = 25;

// A4 pages as an article list makes them, built by hand so that these tests fail only for an
// exporter's fault: title, column labels and a rule on top of each page, "Pagina N" at its foot;
// the first page opens the category "Colle & Vernici", the last closes with the total. Article i
// costs 1 000,50 + i (money), was entered on 5 March 2008, and A0001 is described by `special`.
Pages articlePages(const QString& special) {
  Pages pages;
  const auto text = [&pages](int left, int top, int width, const QString& shown, const Variant& value,
                             Qt::Alignment alignment = Qt::AlignLeft) {
    PageItem item;
    item.rect = QRect(left, top, width, 255);
    item.text = shown;
    item.value = value;
    item.style.alignment = alignment;
    pages.back().items.push_back(item);
  };
  const QLocale italian(QLocale::Italian);
  const auto money = [&](int left, int top, double amount) {
    text(left, top, 1500, italian.toString(amount, 'f', 2), Variant(*Currency::fromDouble(amount)),
         Qt::AlignRight);
  };
  double total = 0;
  int top = 0;
  for (int i = 0; i < ArticleCount; ++i) {
    if (i % RowsPerPage == 0) {
      pages.push_back({QSize(11906, 16838), {}});
      text(0, 0, 6000, "Articoli", Variant::null());
      text(0, 400, 1200, "Codice", Variant::null());
      text(1300, 400, 3000, "Descrizione", Variant::null());
      text(4400, 400, 1500, "Prezzo", Variant::null(), Qt::AlignRight);
      text(6000, 400, 1400, "Data", Variant::null());
      PageItem rule;
      rule.kind = PageItem::Kind::Line;
      rule.line = QLine(0, 680, 7400, 680);
      rule.rect = QRect(rule.line.p1(), rule.line.p2());
      pages.back().items.push_back(rule);
      if (i == 0) text(0, 760, 5000, "Colle & Vernici", Variant::null());
      text(5000, 16000, 2400, QStringLiteral("Pagina %1").arg(pages.size()), Variant::null(), Qt::AlignRight);
      top = 1100;
    }
    const double price = 1000.5 + i;
    total += price;
    text(0, top, 1200, QStringLiteral("A%1").arg(i, 4, 10, QChar('0')), Variant::null());
    text(1300, top, 3000, i == 1 ? special : QStringLiteral("Articolo numero %1").arg(i), Variant::null());
    money(4400, top, price);
    text(6000, top, 1400, "05-03-2008", Variant(QDate(2008, 3, 5)));
    pages.back().items.back().format = "dd-mm-yyyy";
    top += 270;
  }
  text(1300, top + 100, 3000, "Totale", Variant::null());
  money(4400, top + 100, total);
  return pages;
}

// The article pages and a folder for the files written from them.
class ReportExport : public ::testing::Test {
 protected:
  QString file(const QString& name) const { return dir.filePath(name); }

  // Converts a file with LibreOffice, on a profile of its own, and gives the result's text.
  QString convertedByLibreOffice(const QString& source, const QString& filter, const QString& result) {
    QTemporaryDir profile;
    runTool("soffice",
            {"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(QUrl::FullyEncoded),
             "--headless", "--convert-to", filter, "--outdir", dir.path(), source},
            240);
    QFile converted(file(result));
    EXPECT_TRUE(converted.open(QIODevice::ReadOnly)) << result.toStdString();
    return QString::fromUtf8(converted.readAll());
  }

  QTemporaryDir dir;
  const QString special = QString::fromUtf8("Viti <M6> & \"x\" {y} \\ più€");
  const Pages pages = articlePages(special);
};

}  // namespace

TEST_F(ReportExport, ExcelFileReadsAsTypedCellsThatSum) {
  ExcelExport xls;
  xls.setFileName(file("articoli.xls"));
  xls.Export(pages);
  // xlrd: the price column holds 60 numbers summing to the database's total, dates are dates.
  const QString script = QStringLiteral(
      "import sys, xlrd\n"
      "b = xlrd.open_workbook(sys.argv[1])\n"
      "s = b.sheet_by_index(0)\n"
      "print(b.nsheets)\n"
      "prices = []; dates = set(); texts = set()\n"
      "for r in range(s.nrows):\n"
      "  for c in range(s.ncols):\n"
      "    cell = s.cell(r, c)\n"
      "    if cell.ctype == xlrd.XL_CELL_NUMBER and cell.value > 1000: prices.append((c, cell.value))\n"
      "    if cell.ctype == xlrd.XL_CELL_DATE: dates.add(xlrd.xldate_as_tuple(cell.value, b.datemode)[:3])\n"
      "    if cell.ctype == xlrd.XL_CELL_TEXT: texts.add(cell.value)\n"
      "print(len(prices), len(set(c for c, v in prices)), round(sum(v for c, v in prices), 2))\n"
      "print(sorted(dates))\n"
      "print('A0001' in texts, %1 in texts, 'Colle & Vernici' in texts)\n");
  QFile py(file("read.py"));
  ASSERT_TRUE(py.open(QIODevice::WriteOnly));
  py.write(script.arg("'" + QString(special).replace("\\", "\\\\").replace("'", "\\'") + "'").toUtf8());
  py.close();
  const QStringList lines = runTool("/usr/bin/python3", {py.fileName(), xls.fileName()}).split('\n');
  ASSERT_GE(lines.size(), 4);
  EXPECT_EQ(lines[0].toStdString(), "1");
  // 60 prices in one column, plus their grand total 61 800,00 in the same column.
  EXPECT_EQ(lines[1].toStdString(), "61 1 123600.0");
  EXPECT_EQ(lines[2].toStdString(), "[(2008, 3, 5)]");
  EXPECT_EQ(lines[3].toStdString(), "True True True");
}

TEST_F(ReportExport, ExcelFileOpensInLibreOffice) {
  ExcelExport xls;
  xls.setFileName(file("articoli.xls"));
  xls.Export(pages);
  const QString text =
      convertedByLibreOffice(xls.fileName(), "csv:Text - txt - csv (StarCalc):44,34,76", "articoli.csv");
  EXPECT_TRUE(text.contains("A0001")) << text.left(400).toStdString();
  EXPECT_TRUE(text.contains("\"Viti <M6> & \"\"x\"\" {y} \\ più€\""));
  EXPECT_TRUE(text.contains("Colle & Vernici"));
  EXPECT_EQ(text.count("05-03-2008"), 60);
}

TEST_F(ReportExport, RichTextOpensInLibreOfficeWithAccentsAndSymbols) {
  RtfExport rtf;
  rtf.setFileName(file("articoli.rtf"));
  rtf.Export(pages);
  QFile raw(rtf.fileName());
  ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
  const QByteArray bytes = raw.readAll();
  for (char c : bytes) ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "RTF is seven-bit text";
  const QString text = convertedByLibreOffice(rtf.fileName(), "txt:Text (encoded):UTF8", "articoli.txt");
  EXPECT_TRUE(text.contains(special)) << text.left(600).toStdString();
  EXPECT_TRUE(text.contains("A0059"));
  EXPECT_TRUE(text.contains("1.059,50"));
  EXPECT_TRUE(text.contains("Totale"));
  EXPECT_EQ(text.count("Articoli"), int(pages.size()));
}

TEST_F(ReportExport, PdfTextIsSelectableOnEveryPage) {
  PdfExport pdf;
  pdf.setFileName(file("articoli.pdf"));
  pdf.Export(pages);
  const QString info = runTool("pdfinfo", {pdf.fileName()});
  EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages.size()))));
  EXPECT_TRUE(info.contains("595.2 x 841.") || info.contains("595 x 842")) << info.toStdString();
  const QString text = runTool("pdftotext", {"-layout", pdf.fileName(), "-"});
  EXPECT_TRUE(text.contains(special)) << text.left(800).toStdString();
  EXPECT_TRUE(text.contains("1.000,50"));
  EXPECT_TRUE(text.contains("Pagina 2"));
  EXPECT_EQ(text.count("Articoli"), int(pages.size()));
  EXPECT_EQ(text.count("\f"), int(pages.size()));
}

TEST_F(ReportExport, HtmlIsUtf8WithEveryTextEscaped) {
  HtmlExport html;
  html.setFileName(file("articoli.html"));
  html.Export(pages);
  QFile py(file("read.py"));
  ASSERT_TRUE(py.open(QIODevice::WriteOnly));
  py.write(
      "import sys\n"
      "from html.parser import HTMLParser\n"
      "class P(HTMLParser):\n"
      "  def __init__(self):\n"
      "    super().__init__(); self.texts = []; self.pages = 0\n"
      "  def handle_starttag(self, tag, attrs):\n"
      "    if ('class', 'page') in attrs: self.pages += 1\n"
      "  def handle_data(self, data):\n"
      "    if data.strip(): self.texts.append(data)\n"
      "p = P(); p.feed(open(sys.argv[1], encoding='utf-8').read())\n"
      "print(p.pages)\n"
      "for t in p.texts: print(t)\n");
  py.close();
  const QStringList lines = runTool("/usr/bin/python3", {py.fileName(), html.fileName()}).split('\n');
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_EQ(lines[0].toInt(), int(pages.size()));
  EXPECT_TRUE(lines.contains(special));
  EXPECT_TRUE(lines.contains("Colle & Vernici"));
  EXPECT_EQ(lines.count("Articoli"), int(pages.size()));
  EXPECT_TRUE(lines.contains("1.000,50"));
}

TEST_F(ReportExport, AFailedExportLeavesNoFile) {
  // A folder that does not exist: an Italian error and nothing written.
  for (ExportFilter* filter :
       std::initializer_list<ExportFilter*>{new PdfExport, new HtmlExport, new RtfExport, new ExcelExport}) {
    std::unique_ptr<ExportFilter> owned(filter);
    filter->setFileName(file("manca/report.out"));
    try {
      filter->Export(pages);
      ADD_FAILURE() << "no error";
    } catch (const ReportError& e) {
      EXPECT_TRUE(
          e.description().startsWith("Impossibile scrivere il file \"" + file("manca/report.out") + "\""))
          << e.what();
    }
  }
  EXPECT_FALSE(QDir(file("manca")).exists());
}

// Anchors a little apart over many rows do not run together into one column: a right-aligned
// amount and the unit just right of it stay in two cells.
TEST(ReportExportGrid, TextsOfOneRowKeepCellsOfTheirOwn) {
  Page page{QSize(12000, 16000), {}};
  const auto text = [&page](int row, int left, int width, const QString& shown, Qt::Alignment alignment) {
    PageItem item;
    item.rect = QRect(left, 300 * row, width, 250);
    item.text = shown;
    item.style.alignment = alignment;
    page.items.push_back(item);
  };
  for (int i = 0; i < 6; ++i) text(i, 3900 + 40 * i, 500, "x", Qt::AlignLeft);
  text(7, 3100, 850, "673,28", Qt::AlignRight);
  text(7, 4100, 400, "LT", Qt::AlignLeft);
  const Pages pages{page};
  const TextGrid grid = textGrid(pages);
  const TextRow& row = grid.rows.back();
  ASSERT_EQ(row.items.size(), 2u);
  EXPECT_NE(grid.columnOf(*row.items[0]), grid.columnOf(*row.items[1]));
  EXPECT_LT(grid.columnOf(*grid.rows[0].items[0]), grid.columnOf(*grid.rows[5].items[0]));
}

// A text cut at the sheet's limit keeps whole characters; a value that is no finite number leaves
// its cell empty; xlrd reads the workbook.
TEST(ReportExportSheet, LongTextsAreCutBetweenCharactersAndNonFiniteValuesLeaveEmptyCells) {
  const QTemporaryDir dir;
  Page page{QSize(12000, 16000), {}};
  const auto cell = [&page](int row, int left, const QString& text, const Variant& value) {
    PageItem item;
    item.rect = QRect(left, 300 * row, 1000, 250);
    item.text = text;
    item.value = value;
    page.items.push_back(item);
  };
  cell(0, 0, QString(32766, u'a') + QString::fromUtf8("😀") + "b", Variant::null());
  cell(1, 0, "nan", Variant::null());
  cell(1, 2000, "?", Variant(std::nan("")));
  cell(2, 0, "inf", Variant::null());
  cell(2, 2000, "?", Variant(-std::numeric_limits<double>::infinity()));
  cell(3, 0, "due", Variant::null());
  cell(3, 2000, "2", Variant(2.0));
  ExcelExport xls;
  xls.setFileName(dir.filePath("celle.xls"));
  xls.Export({page});
  const QString cells = runTool("/usr/bin/python3", {"-c",
                                                     "import sys, xlrd\n"
                                                     "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                                                     "for r in range(s.nrows):\n"
                                                     "  print(' '.join('%d:%s' % (c.ctype, len(c.value) if "
                                                     "c.ctype == 1 else c.value) for c in s.row(r)))\n",
                                                     xls.fileName()});
  EXPECT_EQ(cells.trimmed(), "1:32766 0:\n1:3 0:\n1:3 0:\n1:3 2:2.0") << cells.toStdString();
}

namespace {

PageItem textAt(int row, int left, const QString& text, const Variant& value = Variant::null()) {
  PageItem item;
  item.rect = QRect(left, 300 * row, 1500, 250);
  item.text = text;
  item.value = value;
  return item;
}

}  // namespace

// Money cells carry the money format and plain numbers none; the first column of the page is
// column A; two texts in one cell are joined, not dropped; shared strings longer than one record
// go on in CONTINUE records that xlrd reads back whole.
TEST(ReportExportSheet, CellsKeepTheirFormatPlaceAndTextsAndLongStringsContinue) {
  const QTemporaryDir dir;
  Page page{QSize(12000, 16000), {}};
  page.items = {textAt(0, 500, "Codice"),
                textAt(0, 3000, "Prezzo"),
                textAt(1, 500, "A0001"),
                textAt(1, 3000, "1.000,50", Variant(*Currency::fromDouble(1000.5))),
                textAt(1, 5000, "2", Variant(2.0)),
                textAt(2, 500, "Rossi"),
                textAt(2, 500, "Mario")};
  for (char16_t letter : {u'x', u'y', u'z'})
    page.items.push_back(textAt(3 + letter - u'x', 500, QString(3000, QChar(letter))));
  ExcelExport xls;
  xls.setFileName(dir.filePath("celle.xls"));
  xls.Export({page});
  const QString cells = runTool(
      "/usr/bin/python3", {"-c",
                           "import sys, struct, xlrd\n"
                           "b = xlrd.open_workbook(sys.argv[1], formatting_info=True, on_demand=True)\n"
                           "s = b.sheet_by_index(0)\n"
                           "fmt = lambda c: b.format_map[b.xf_list[c.xf_index].format_key].format_str\n"
                           "for r in range(s.nrows):\n"
                           "  print(' | '.join('%s %s' % (c.value if len(str(c.value)) < 50 else "
                           "c.value[0] * 1 + str(len(c.value)), fmt(c)) for c in s.row(r) if c.ctype))\n"
                           "pos, end, longest, continues = b.base, b.base + b.stream_len, 0, 0\n"
                           "while pos + 4 <= end:\n"
                           "  kind, size = struct.unpack_from('<HH', b.mem, pos)\n"
                           "  longest = max(longest, size); continues += kind == 0x3C; pos += 4 + size\n"
                           "print(longest <= 8224, continues)\n",
                           xls.fileName()});
  EXPECT_EQ(cells.trimmed(),
            "Codice General | Prezzo General\n"
            "A0001 General | 1000.5 #,##0.00 | 2.0 General\n"
            "Rossi Mario General\n"
            "x3000 General\ny3000 General\nz3000 General\n"
            "True 2")
      << cells.toStdString();
}

// A character beyond U+7FFF is a negative \uN in rich text; a ticked check box draws its cross in
// HTML and an unticked one only its frame.
TEST(ReportExportMarkup, WideCharactersInRichTextAndCheckBoxesInHtml) {
  const QTemporaryDir dir;
  Page page{QSize(12000, 16000), {textAt(0, 500, QString::fromUtf8("这 ü"))}};
  for (bool ticked : {true, false}) {
    PageItem box;
    box.kind = PageItem::Kind::Box;
    box.rect = QRect(500, ticked ? 600 : 900, 250, 250);
    box.checked = ticked;
    page.items.push_back(box);
  }
  RtfExport rtf;
  rtf.setFileName(dir.filePath("testo.rtf"));
  rtf.Export({page});
  HtmlExport html;
  html.setFileName(dir.filePath("testo.html"));
  html.Export({page});
  QFile rtfFile(rtf.fileName());
  QFile htmlFile(html.fileName());
  ASSERT_TRUE(rtfFile.open(QIODevice::ReadOnly) && htmlFile.open(QIODevice::ReadOnly));
  const QByteArray rich = rtfFile.readAll();
  EXPECT_TRUE(rich.contains("\\u-28711?")) << rich.toStdString();
  EXPECT_TRUE(rich.contains("\\u252?")) << rich.toStdString();
  const QByteArray markup = htmlFile.readAll();
  EXPECT_EQ(markup.count("<rect "), 2);
  EXPECT_EQ(markup.count("<path "), 1);
  EXPECT_TRUE(markup.contains("<rect x=\"500\" y=\"600\"")) << markup.toStdString();
}
