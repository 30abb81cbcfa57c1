#include "reports/comRepLib.h"

#include <QApplication>
#include <QLabel>

#include "platform/report/ExportFilter.h"
#include "platform/report/Report.h"
#include "reports/comfrmPrintProgress.h"

namespace {

const ExportFormat Formats[kExportFormatCount] = {
    {OutputExcel, QStringLiteral("in Excel"), QStringLiteral(".xls"), QStringLiteral("Microsoft Excel (*.xls)|*.xls")},
    {OutputRtf, QStringLiteral("in RTF (Rich text format)"), QStringLiteral(".rtf"),
     QStringLiteral("Rich Text Format (*.rtf)|*.rtf")},
    {OutputPdf, QStringLiteral("in PDF (Acrobat Reader)"), QStringLiteral(".pdf"),
     QStringLiteral("Acrobat reader (*.pdf)|*.pdf")},
    {OutputHtml, QStringLiteral("in HTML"), QStringLiteral(".html"), QStringLiteral("Formato HTML (*.html)|*.html")},
};

}  // namespace

const ExportFormat* exportFormats() { return Formats; }

const ExportFormat* exportFormatOf(int mode) {
  for (const ExportFormat& f : Formats)
    if (f.mode == mode) return &f;
  return nullptr;
}

std::unique_ptr<report::ExportFilter> newExportFilter(int mode) {
  switch (mode) {
    case OutputExcel: return std::make_unique<report::ExcelExport>();
    case OutputRtf: return std::make_unique<report::RtfExport>();
    case OutputPdf: return std::make_unique<report::PdfExport>();
    case OutputHtml: return std::make_unique<report::HtmlExport>();
    default: return nullptr;
  }
}

void SetPreviewToolbar(report::Report& Report) {
  report::PreviewToolbar& toolbar = Report.toolbar();
  toolbar.tool(0).visible = false;
  toolbar.tool(1).visible = false;
  toolbar.tool(2).caption = QStringLiteral("Stampa");
  for (int i : {3, 4, 5, 6, 18, 19, 20}) toolbar.tool(i).visible = false;
  toolbar.setZoomCaption(1, QStringLiteral("Larghezza"));
  toolbar.setZoomCaption(2, QStringLiteral("Pagina"));
}

void SetReportPrinter(report::Report& Report, const QString& printer) {
  Report.Load();
  Report.setPrinterDeviceName(printer);
}

void PrintReportProgress(report::Report& Report) {
  auto* progress = new comfrmPrintProgress;
  progress->lblPrintWhere->setText("Stampa del documento su '" + Report.printerDeviceName() + "'");
  progress->lblPercent->setText(QStringLiteral("Paginazione in corso"));
  progress->show();
  QApplication::processEvents();
  try {
    Report.Print(false);
  } catch (...) {
    delete progress;
    throw;
  }
  delete progress;
}
