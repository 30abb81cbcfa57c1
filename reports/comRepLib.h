#pragma once

#include <QString>
#include <cstdint>
#include <memory>

class QElapsedTimer;

namespace report {
class ExportFilter;
class Report;
}  // namespace report

// What the print dialogs share to send a report to the printer, a preview or a file.

// Output modes of a print dialog.
enum OutputMode : std::int16_t {
  OutputPrint = 0,
  OutputPreview = 1,
  OutputExcel = 10,
  OutputRtf = 11,
  OutputPdf = 12,
  OutputHtml = 13,
};

// An export format: its menu entry, the Save As dialog's default extension and filter text.
struct ExportFormat {
  std::int16_t mode;
  QString menuItem;
  QString extension;
  QString filter;
};

// The four export formats in menu order.
const ExportFormat* exportFormats();
constexpr int kExportFormatCount = 4;
// The format of an export mode; nullptr for any other mode.
const ExportFormat* exportFormatOf(int mode);
// A new export filter of the format of an export mode.
std::unique_ptr<report::ExportFilter> newExportFilter(int mode);

// The preview toolbar as the program offers it: Print captioned "Stampa", zoom choices
// "Larghezza" and "Pagina", the copy, first/last page and close tools hidden.
void SetPreviewToolbar(report::Report& Report);

// Loads the report and points it at a printer by device name, as given (not looked up here).
void SetReportPrinter(report::Report& Report, const QString& printer);

// Prints the report on its printer without a print dialog while a progress window is shown;
// returns when the pages have been handed to the print system. Failures throw report::ReportError.
void PrintReportProgress(report::Report& Report);

class comfrmPrintProgress;

// While it lives, every run of the report shows in a progress window its two lines, the second
// with the pages made so far, and lets the program repaint while the run goes on. The window
// shows at once, or with a delay only when the run lasts longer than that; "Annulla" hides it.
class RunProgress {
 public:
  RunProgress(report::Report& report, const QString& where, int delayMs = 0);
  ~RunProgress();
  RunProgress(const RunProgress&) = delete;
  RunProgress& operator=(const RunProgress&) = delete;

 private:
  void show();
  void pageMade(int pages);

  report::Report& m_report;
  std::unique_ptr<comfrmPrintProgress> m_window;
  std::unique_ptr<QElapsedTimer> m_clock;
  qint64 m_delay;
  qint64 m_lastEvents = 0;
  bool m_shown = false;
};
