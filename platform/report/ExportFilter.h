#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "platform/report/Page.h"

class QIODevice;
class QPainter;
class QPdfWriter;
class QSaveFile;

namespace report {

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
  // Writes pages already made.
  void Export(const Pages& pages);

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

 private:
  QString m_fileName;
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

// One HTML document in UTF-8: every page a block of its size with the items in place.
class HtmlExport : public ExportFilter {
 protected:
  void beginFile() override;
  void writePage(const Page& page) override;
  void finishFile() override;
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

// Rich Text: every page's texts in table rows of the heights they take on the page, each text in
// a cell at its place, so that a long text wraps in its own column; the pages break where the
// report's pages do.
class RtfExport : public ExportFilter {
 protected:
  void beginFile() override;
  void writePage(const Page& page) override;
  void finishFile() override;

 private:
  QByteArray fontRun(const PageItem& item);

  std::vector<QString> m_fonts;  // the font table heads the file, so the body waits for the end
  QByteArray m_body;
  std::optional<Page> m_paper;  // the first page's size and margins, without items: the document's
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
