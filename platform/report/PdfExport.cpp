#include <QPainter>
#include <QPdfWriter>

#include "platform/report/ExportFilter.h"
#include "platform/report/PagePainter.h"
#include "platform/report/ReportError.h"
#include "platform/runtime/Twips.h"

namespace report {

void PdfExport::write(QIODevice& file, const Pages& pages) {
  QPdfWriter writer(&file);
  writer.setResolution(TwipsPerInch);
  auto pageSizeOf = [](const Page& page) {
    return QPageSize(QSizeF(page.size) / 20.0, QPageSize::Point, QString(), QPageSize::ExactMatch);
  };
  if (!pages.empty()) writer.setPageSize(pageSizeOf(pages.front()));
  writer.setPageMargins(QMarginsF());
  QPainter painter;
  if (!painter.begin(&writer)) throw ReportError(QStringLiteral("Impossibile creare il file PDF."));
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0) {
      writer.setPageSize(pageSizeOf(pages[i]));
      writer.newPage();
    }
    paintPage(painter, pages[i], writer.resolution() / double(TwipsPerInch));
  }
  painter.end();
}

}  // namespace report
