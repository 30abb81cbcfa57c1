// PdfExport
#include <QPainter>
#include <QPdfWriter>

#include "platform/report/ExportFilter.h"
#include "platform/report/PagePainter.h"
#include "platform/report/ReportError.h"
#include "platform/runtime/Twips.h"

namespace report {

PdfExport::PdfExport() = default;

PdfExport::~PdfExport() {
  if (m_painter && m_painter->isActive()) m_painter->end();
}

void PdfExport::open(const QSize& pageSize) {
  m_writer = std::make_unique<QPdfWriter>(&file());
  m_writer->setResolution(TwipsPerInch);
  if (!pageSize.isEmpty()) m_writer->setPageSize(pageSizeOf(pageSize));
  m_writer->setPageMargins(QMarginsF());
  m_painter = std::make_unique<QPainter>();
  if (!m_painter->begin(m_writer.get())) throw ReportError(QStringLiteral("Impossibile creare il file PDF."));
}

void PdfExport::writePage(const Page& page) {
  if (!m_painter) {
    open(page.size);
  } else {
    m_writer->setPageSize(pageSizeOf(page.size));
    m_writer->newPage();
  }
  paintPage(*m_painter, page, m_writer->resolution() / double(TwipsPerInch));
}

void PdfExport::finishFile() {
  if (!m_painter) open(QSize());
  m_painter->end();
  m_painter.reset();
  m_writer.reset();
}

}  // namespace report
