#pragma once

#include <QFontMetricsF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "platform/report/Page.h"

class QIODevice;
class QPainter;
class QPdfWriter;
class QSaveFile;

namespace report {

struct TextRow;

// Writes a report's pages to a file of one format, taking them one by one: begin, each page,
// finish. The file is written under a temporary name and renamed at the end, so a failure leaves
// no file (and no partial one) under the name given and an older file there intact; failures
// throw ReportError with a description in Italian.
class ExportFilter : public PageSink {
 public:
  ExportFilter();
  ~ExportFilter() override;
  const QString& fileName() const { return m_fileName; }
  void setFileName(const QString& fileName) { m_fileName = fileName; }
  // Writes pages already made, with the styles they use.
  void Export(const Pages& pages);
  // Gives the text styles of the pages to come, asked for at the first page (a report's design
  // knows them once its start has attached its sub-reports), for the formats that list their fonts
  // or styles ahead of the pages.
  void setStyles(std::function<std::vector<TextStyle>()> styles) { m_stylesToCome = std::move(styles); }

  void begin();
  void page(Page page) override;
  void finish();
  // Drops what was written since begin.
  void cancel();

 protected:
  virtual void beginFile() {}
  virtual void writePage(const Page& page) = 0;
  virtual void finishFile() {}
  QIODevice& file();
  // Writes all the bytes or throws the disk-full message.
  void put(const QByteArray& bytes);
  const std::vector<TextStyle>& styles() const { return m_styles; }

 private:
  QString m_fileName;
  std::function<std::vector<TextStyle>()> m_stylesToCome;
  std::vector<TextStyle> m_styles;
  std::unique_ptr<QSaveFile> m_file;
};

// PDF through Qt's PDF writer: the pages as laid out, texts selectable.
class PdfExport : public ExportFilter {
 public:
  PdfExport();
  ~PdfExport() override;

 protected:
  void writePage(const Page& page) override;
  void finishFile() override;

 private:
  void open(const QSize& pageSize);

  std::unique_ptr<QPdfWriter> m_writer;
  std::unique_ptr<QPainter> m_painter;
};

// One HTML document in UTF-8: every page a block of its size with the items in place; a class for
// each text style known ahead, so that a text carries only its place.
class HtmlExport : public ExportFilter {
 protected:
  void beginFile() override;
  void writePage(const Page& page) override;
  void finishFile() override;

 private:
  void writeHead();

  bool m_headWritten = false;
};

// The formats that arrange the texts of all pages together keep each page's texts only (no lines
// or boxes) until the end.
class TextExport : public ExportFilter {
 protected:
  void beginFile() override { m_texts.clear(); }
  void writePage(const Page& page) override;
  const Pages& texts() const { return m_texts; }

 private:
  Pages m_texts;
};

// Rich Text, written page by page: each row of a page's texts a paragraph as tall as the row takes
// on the page, with a tab stop at each text's place; a row holding a text of several lines, or one
// wider than its place, a table row with each text in a cell at its place, so that it wraps in its
// own column or is cut there as on the page. The pages break where the report's do. The font
// table lists the families of the styles known ahead; a family they did not list is written in the
// first font.
class RtfExport : public ExportFilter {
 protected:
  void beginFile() override;
  void writePage(const Page& page) override;
  void finishFile() override;

 private:
  struct CharFormat {  // after \plain
    int font = 0;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
  };
  struct ParagraphFormat {
    QByteArray tabs;
    int line = 0;   // exact height of the line
    int after = 0;  // space after it
  };
  void writeHead();
  bool fitsOnOneLine(const TextRow& row);
  const QFontMetricsF& metrics(const TextStyle& style);
  void appendRun(QByteArray& out, const PageItem& item);
  void appendParagraph(QByteArray& out, const TextRow& row, int height, bool pageBreakBefore);
  void appendTableRow(QByteArray& out, const TextRow& row, int height, bool pageBreakBefore);

  std::vector<QString> m_fonts;
  std::optional<Page> m_paper;  // the first page's size and margins, without items: the document's
  CharFormat m_format;          // in force where the body has got to
  // In force and free of a page break and of a table, so that the next paragraph may keep it.
  std::optional<ParagraphFormat> m_paragraph;
  std::vector<std::pair<TextStyle, QFontMetricsF>> m_metrics;
};

// Excel 97-2003 workbook (.xls) with one worksheet: the texts of all pages in rows and columns by
// their places; numbers as numbers, dates as dates, the rest as text.
// A report with more rows than a sheet holds is refused as soon as a page passes the last row.
class ExcelExport : public TextExport {
 protected:
  void beginFile() override;
  void writePage(const Page& page) override;
  void finishFile() override;

 private:
  int m_rows = 0;
};

}  // namespace report
