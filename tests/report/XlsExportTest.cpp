#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "platform/report/ExportFilter.h"
#include "platform/report/ReportError.h"
#include "tests/support/RunTool.h"

using namespace report;

namespace {

constexpr int SheetRows = 65536;
constexpr int RowsPerPage = 4096;

PageItem textAt(int row, int left, const QString& text, const Variant& value = Variant::null(),
                Qt::Alignment alignment = Qt::AlignLeft) {
  PageItem item;
  item.rect = QRect(left, 300 * row, 1500, 250);
  item.text = text;
  item.value = value;
  item.style.alignment = alignment;
  return item;
}

// A page of `rows` rows of one text each, numbered from `first`.
Page numberedRows(int first, int rows) {
  Page page{QSize(12000, 300 * rows), {}, {}};
  for (int i = 0; i < rows; ++i) page.items.push_back(textAt(i, 0, QString::number(first + i)));
  return page;
}

// Runs a Python script on the workbook with xlrd and gives its output, trimmed.
QString readWithXlrd(const QString& path, const QString& script) {
  return runTool("/usr/bin/python3",
                 {"-c",
                  "import sys, xlrd\nb = xlrd.open_workbook(sys.argv[1], formatting_info=True)\n"
                  "s = b.sheet_by_index(0)\n" +
                      script,
                  path})
      .trimmed();
}

// Exports one page to a fresh workbook and reads it back with xlrd.
QString exportedPage(const Page& page, const QString& script) {
  const QTemporaryDir dir;
  ExcelExport xls;
  xls.setFileName(dir.filePath("celle.xls"));
  xls.Export({page});
  return readWithXlrd(xls.fileName(), script);
}

}  // namespace

// The sheet takes pages up to its last row; the page that passes it is refused as it arrives, not
// at the end of the run, and the file already under the name stays as it was.
TEST(XlsExport, TheLastRowOfTheSheetIsKeptAndTheNextRefusedAtOnce) {
  const QTemporaryDir dir;
  Pages full;
  for (int first = 0; first < SheetRows; first += RowsPerPage)
    full.push_back(numberedRows(first, RowsPerPage));

  ExcelExport fits;
  fits.setFileName(dir.filePath("piena.xls"));
  fits.Export(full);
  EXPECT_EQ(readWithXlrd(fits.fileName(), "print(s.nrows, s.cell_value(s.nrows - 1, 0))").toStdString(),
            "65536 65535");

  QFile old(dir.filePath("report.xls"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("vecchio");
  old.close();
  ExcelExport tooLarge;
  tooLarge.setFileName(old.fileName());
  tooLarge.begin();
  for (const Page& page : full) tooLarge.page(page);
  try {
    tooLarge.page(numberedRows(SheetRows, 1));
    ADD_FAILURE() << "the row after the last was taken";
  } catch (const ReportError& e) {
    EXPECT_EQ(e.description(),
              "Il report è troppo grande per un foglio Excel (al massimo 65536 righe e 256 colonne).");
  }
  tooLarge.cancel();
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), "vecchio");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"piena.xls", "report.xls"}));
}

// A caption and a value that fall in one cell are written as one text, left to right, whichever
// comes first; a value alone in its cell stays a number.
TEST(XlsExport, ACaptionAndAValueInOneCellKeepBoth) {
  Page page{QSize(12000, 16000), {}, {}};
  page.items = {
      textAt(0, 3000, "Totale"), textAt(0, 3030, "1.000,50", Variant(*Currency::fromDouble(1000.5))),
      textAt(1, 3000, "2,5", Variant(2.5)), textAt(1, 3040, "kg"), textAt(2, 3000, "7", Variant(7.0))};
  EXPECT_EQ(exportedPage(page, "for r in range(s.nrows): print(repr(s.cell_value(r, 0)))").toStdString(),
            "'Totale 1.000,50'\n'2,5 kg'\n7.0");
}

// Each column is as wide as its widest text: an amount and a heading longer than the default
// width are not cut, and no wider than a little margin; a text too long for any column gives the
// widest column there is. The bounds add up Arial's advances in digits (a point or a comma is half
// a digit; the heading 22.4).
TEST(XlsExport, ColumnsTakeTheWidthOfTheirWidestText) {
  Page page{QSize(12000, 16000), {}, {}};
  page.items = {textAt(0, 0, "Totale complessivo dei costi"), textAt(0, 1600, "Importo"), textAt(1, 0, "A"),
                textAt(1, 1600, "123.456.789,50", Variant(*Currency::fromDouble(123456789.5))),
                textAt(2, 2600, QString(400, u'x'))};
  const QStringList widths =
      exportedPage(page, "print(*(s.colinfo_map[c].width for c in range(s.ncols)))").split(u' ');
  ASSERT_EQ(widths.size(), 3);
  EXPECT_GE(widths[0].toInt(), int(22.4 * 256));
  EXPECT_GE(widths[1].toInt(), int(12.5 * 256));
  EXPECT_LE(widths[1].toInt(), int(14.5 * 256));
  EXPECT_EQ(widths[2].toInt(), 255 * 256);
}
