#include "reports/comRepLib.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QWindow>

#include "platform/report/ExportFilter.h"
#include "platform/report/Report.h"
#include "reports/comfrmPrintProgress.h"

namespace {

constexpr qint64 PaintWaitMs = 500;   // the longest wait for a new progress window to be drawn
constexpr qint64 EventsEveryMs = 50;  // how often a run lets the program repaint

const ExportFormat Formats[kExportFormatCount] = {
    {OutputExcel, QStringLiteral("in Excel"), QStringLiteral(".xls"),
     QStringLiteral("Microsoft Excel (*.xls)|*.xls")},
    {OutputRtf, QStringLiteral("in RTF (Rich text format)"), QStringLiteral(".rtf"),
     QStringLiteral("Rich Text Format (*.rtf)|*.rtf")},
    {OutputPdf, QStringLiteral("in PDF (Acrobat Reader)"), QStringLiteral(".pdf"),
     QStringLiteral("Acrobat reader (*.pdf)|*.pdf")},
    {OutputHtml, QStringLiteral("in HTML"), QStringLiteral(".html"),
     QStringLiteral("Formato HTML (*.html)|*.html")},
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
  const RunProgress progress(Report, "Stampa del documento su '" + Report.printerDeviceName() + "'");
  Report.Print(false);
}

RunProgress::RunProgress(report::Report& report, const QString& where, int delayMs)
    : m_report(report),
      m_window(std::make_unique<comfrmPrintProgress>()),
      m_clock(std::make_unique<QElapsedTimer>()),
      m_delay(delayMs) {
  m_window->lblPrintWhere->setText(where);
  m_window->lblPercent->setText(QStringLiteral("Paginazione in corso"));
  m_clock->start();
  m_report.setPageMade([this](int pages) { pageMade(pages); });
  if (m_delay == 0) show();
}

RunProgress::~RunProgress() { m_report.setPageMade({}); }

// Shows the window and waits until it has been painted, so that it is never an empty frame.
void RunProgress::show() {
  m_shown = true;
  m_window->show();
  QElapsedTimer waited;
  waited.start();
  do {
    QApplication::processEvents();
  } while (m_window->windowHandle() && !m_window->windowHandle()->isExposed() &&
           waited.elapsed() < PaintWaitMs);
  m_window->repaint();
}

void RunProgress::pageMade(int pages) {
  m_window->lblPercent->setText(QStringLiteral("Paginazione in corso: %1 %2")
                                    .arg(pages)
                                    .arg(pages == 1 ? QStringLiteral("pagina") : QStringLiteral("pagine")));
  const qint64 now = m_clock->elapsed();
  if (now - m_lastEvents < EventsEveryMs) return;
  m_lastEvents = now;
  if (!m_shown && now >= m_delay) show();
  if (m_shown) QApplication::processEvents();
}
