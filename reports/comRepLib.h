#pragma once

#include <QString>
#include <cstdint>
#include <memory>

namespace report {
class ExportFilter;
class Report;
}  // namespace report

// What the print dialogs share to send a report to the printer, a preview or a file.

// Output modes of a print dialog.
enum OutputMode : std::int16_t {
  OutputStampa = 0,
  OutputAnteprima = 1,
  OutputExcel = 10,
  OutputRtf = 11,
  OutputPdf = 12,
  OutputHtml = 13,
};

// An export format: its menu entry, the Save As dialog's default extension and filter text.
struct FormatoExport {
  std::int16_t modo;
  QString voce;
  QString estensione;
  QString filtro;
};

// The four export formats in menu order.
const FormatoExport* FormatiExport();
constexpr int kNumFormatiExport = 4;
// The format of an export mode; nullptr for any other mode.
const FormatoExport* FormatoDi(int modo);
// A new export filter of the format of an export mode.
std::unique_ptr<report::ExportFilter> NuovoFiltroExport(int modo);

// The preview toolbar as the program offers it: Print captioned "Stampa", zoom choices
// "Larghezza" and "Pagina", the copy, first/last page and close tools hidden.
void SetPreviewToolbar(report::Report& Report);

// Loads the report and points it at a printer by device name, as given (not looked up here).
void SetReportPrinter(report::Report& Report, const QString& Stampante);

// Prints the report on its printer without a print dialog while a progress window is shown;
// returns when the pages have been handed to the print system. Failures throw report::ReportError.
void PrintReportProgress(report::Report& Report);
