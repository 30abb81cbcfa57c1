#include "platform/report/PrintPages.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/report/PagePainter.h"
#include "platform/report/ReportError.h"
#include "platform/runtime/Twips.h"

namespace report {

namespace {

QPageSize pageSizeOf(const Page& page) {
  return QPageSize(QSizeF(page.size) / 20.0, QPageSize::Point, QString(), QPageSize::ExactMatch);
}

}  // namespace

void printPages(const Pages& pages, const QString& deviceName, const QString& documentName,
                bool showDialog) {
  if (deviceName.isEmpty()) throw ReportError(QStringLiteral("Nessuna stampante scelta."));
  const QPrinterInfo info = QPrinterInfo::printerInfo(deviceName);
  if (info.isNull())
    throw ReportError(QStringLiteral("La stampante \"%1\" non esiste o non è disponibile.").arg(deviceName));
  QPrinter printer(info, QPrinter::HighResolution);
  printer.setDocName(documentName);
  printer.setFullPage(true);
  if (!pages.empty()) {
    const Page& first = pages.front();
    printer.setPageLayout(QPageLayout(pageSizeOf(first), QPageLayout::Portrait, QMarginsF()));
  }
  if (showDialog) {
    QPrintDialog dialog(&printer);
    if (dialog.exec() != QDialog::Accepted) return;
  }
  QPainter painter;
  if (!painter.begin(&printer))
    throw ReportError(QStringLiteral("La stampante \"%1\" non accetta la stampa.").arg(deviceName));
  const double scale = printer.resolution() / double(TwipsPerInch);
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) printer.newPage();
    paintPage(painter, pages[i], scale);
  }
  if (!painter.end())
    throw ReportError(QStringLiteral("La stampa su \"%1\" non è riuscita.").arg(deviceName));
}

}  // namespace report
