#include "platform/report/PrintPages_p.h"

#include <QPrintDialog>
#include <QPrinterInfo>

#include "platform/report/PagePainter.h"
#include "platform/report/ReportError.h"
#include "platform/runtime/Twips.h"

namespace report {

PagePrinter::PagePrinter(const QString& deviceName, const QString& documentName, const QSize& pageSize)
    : m_deviceName(deviceName) {
  if (deviceName.isEmpty()) throw ReportError(QStringLiteral("Nessuna stampante scelta."));
  const QPrinterInfo info = QPrinterInfo::printerInfo(deviceName);
  if (info.isNull())
    throw ReportError(QStringLiteral("La stampante \"%1\" non esiste o non è disponibile.").arg(deviceName));
  m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  m_printer->setDocName(documentName);
  m_printer->setFullPage(true);
  if (!pageSize.isEmpty())
    m_printer->setPageLayout(QPageLayout(pageSizeOf(pageSize), QPageLayout::Portrait, QMarginsF()));
}

// A job left open by a failed run is withdrawn rather than printed in part.
PagePrinter::~PagePrinter() {
  if (!m_painter.isActive()) return;
  m_printer->abort();
  m_painter.end();
}

bool PagePrinter::start(bool showDialog) {
  if (showDialog) {
    QPrintDialog dialog(m_printer.get());
    if (dialog.exec() != QDialog::Accepted) return false;
  }
  if (!m_painter.begin(m_printer.get()))
    throw ReportError(QStringLiteral("La stampante \"%1\" non accetta la stampa.").arg(m_deviceName));
  return true;
}

void PagePrinter::page(Page page) {
  if (m_count++ > 0) m_printer->newPage();
  paintPage(m_painter, page, m_printer->resolution() / double(TwipsPerInch));
}

void PagePrinter::finish() {
  if (!m_painter.end())
    throw ReportError(QStringLiteral("La stampa su \"%1\" non è riuscita.").arg(m_deviceName));
}

void printPages(const Pages& pages, const QString& deviceName, const QString& documentName, bool showDialog) {
  PagePrinter printer(deviceName, documentName, pages.empty() ? QSize() : pages.front().size);
  if (!printer.start(showDialog)) return;
  for (const Page& page : pages) printer.page(page);
  printer.finish();
}

}  // namespace report
