#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Exported files read back by programs that are not ours (PDF files: tests/support/PdfText.h).

// The texts that an HTML file shows on the page (not its title or style), as Python's HTML parser
// reads them, stripped, empty ones left out.
QStringList htmlTexts(const QString& path);
// The cells of the first worksheet of an .xls file as xlrd reads them, row by row: "T text",
// "N number" or "D yyyy-mm-dd"; an empty cell is left out.
QStringList xlsCells(const QString& path);
// The number cells of the first worksheet of an .xls file as xlrd reads them with their formats,
// row by row: "value|number format" (dates as numbers too).
QStringList xlsNumbers(const QString& path);
// The text of a Rich Text file as LibreOffice converts it.
QString rtfText(const QString& path);
// The pages of a Rich Text file as LibreOffice lays them out, as text (pdftotext -layout).
QStringList rtfPages(const QString& path);

// A word as a PDF reader places it on its page (from 1), in points from the page's top left corner.
struct PageWord {
  int page = 0;
  QString text;
  double left = 0;
  double right = 0;
  double top = 0;
};
// The words of a Rich Text file's pages as LibreOffice lays them out (pdftotext -bbox).
std::vector<PageWord> rtfWords(const QString& path);
