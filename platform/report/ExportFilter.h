#pragma once

#include <QString>

#include "platform/report/Page.h"

class QIODevice;

namespace report {

// Writes a report's pages to a file of one format. The file is written under a temporary name
// and renamed at the end, so a failure leaves no file (and no partial one) under the name given;
// failures throw ReportError with a description in Italian.
class ExportFilter {
 public:
  virtual ~ExportFilter() = default;
  const QString& fileName() const { return m_fileName; }
  void setFileName(const QString& fileName) { m_fileName = fileName; }
  void Export(const Pages& pages);

 protected:
  virtual void write(QIODevice& file, const Pages& pages) = 0;

 private:
  QString m_fileName;
};

// PDF through Qt's PDF writer: the pages as laid out, texts selectable.
class PdfExport : public ExportFilter {
 protected:
  void write(QIODevice& file, const Pages& pages) override;
};

// One HTML document in UTF-8: every page a block of its size with the items in place.
class HtmlExport : public ExportFilter {
 protected:
  void write(QIODevice& file, const Pages& pages) override;
};

// Rich Text: every page's texts in rows, aligned on tab stops at their places, a page break
// between pages.
class RtfExport : public ExportFilter {
 protected:
  void write(QIODevice& file, const Pages& pages) override;
};

// Excel 97-2003 workbook (.xls) with one worksheet: the texts of all pages in rows and columns by
// their places; numbers as numbers, dates as dates, the rest as text.
class ExcelExport : public ExportFilter {
 protected:
  void write(QIODevice& file, const Pages& pages) override;
};

}  // namespace report
