#pragma once

#include <QString>
#include <QStringList>

#include "platform/report/Page.h"
#include "tests/support/FormTestSupport.h"
#include "tests/support/PageTexts.h"
#include "tests/support/RunTool.h"

class PrintReportDialog;
class QComboBox;
class frmPrintReportCom;
namespace report {
class ReportViewer;
}

// Three job orders with their customers, quote lines and costs:
// - C001 (Bianchi Srl): closed on 5 March 2008, delivered, no warranty; the economic summary of the
//   worked example (quoted 1.000, labour 200 quoted and 50 by time, materials 300, sales by time 120);
// - C002 (D'Angelo Srl): open; a labour row of a removed employee (which does not print) and an
//   other-cost row of no known category besides the usual rows;
// - C003: open, its customer row missing.
class ReportTest : public FormTest {
 protected:
  void SetUp() override;

  // A fresh job-order print dialog, filled and shown as the main window's Print does.
  frmPrintReportCom* openDialog(const QString& jobCode = QString());
};

// For the life of the object: the printers "Ufficio" and "Magazzino" as collected at start-up, and
// the Save As dialog answered with `answer` (empty: cancelled), each request kept in `asked` as its
// default extension and filter text.
struct PrintSetup {
  PrintSetup();
  ~PrintSetup();
  PrintSetup(const PrintSetup&) = delete;
  PrintSetup& operator=(const PrintSetup&) = delete;

  QStringList asked;
  QString answer;
};

// The entries of a combo box, in order.
QStringList items(const QComboBox* combo);
// The texts that are in `wanted`, in their order.
QStringList only(const QStringList& texts, const QStringList& wanted);

// Presses "Anteprima" of a print dialog and returns the preview window it opened.
report::ReportViewer* preview(PrintReportDialog* dialog);
// Chooses an export format from the "Esporta.." pop-up menu of a print dialog.
void exportAs(PrintReportDialog* dialog, int mode);

// The texts from the first one equal to `from` up to (not including) the next one equal to `to`
// (to the end when `to` does not follow).
QStringList between(const QStringList& texts, const QString& from, const QString& to);
