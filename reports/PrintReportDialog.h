#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "platform/forms/SaveAsDialog.h"

class QAction;
class QBoxLayout;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;

namespace forms {
class KeyPreview;
}
namespace grid {
class GridEX;
}
namespace report {
class Report;
}

// A row of a print dialog's report list: its image number, its report kind and its caption.
struct ListRow {
  std::int16_t image;
  std::int16_t kind;
  QString title;
};

// What every print dialog shares: the report list, the printer frame, the commands Stampa,
// Anteprima, Esporta.. (with its pop-up menu of formats) and Chiudi, the Save As dialog, and the
// fixed order of steps that sends the chosen report to its output. A dialog states its own report
// kinds, queries, labels and export settings. The window has no owner and deletes itself (with its
// reports) when closed.
class PrintReportDialog : public QWidget {
  Q_OBJECT
 public:
  ~PrintReportDialog() override;

  QGroupBox* frmTipo;
  grid::GridEX* GridEX1;
  QGroupBox* frmStampante;
  std::map<int, QLabel*> lbl;
  QComboBox* cmbprinters;
  QPushButton* cmdPropPrinter;
  QLineEdit* txtNumCopies;
  QScrollBar* UpDown1;
  QPushButton* cmdOK;
  QPushButton* cmdPreview;
  QPushButton* cmdExp;
  QPushButton* cmdCancel;
  QMenu* expmnu;
  std::map<int, QAction*> mnuexp;
  forms::SaveAsDialog comdlg;

 protected:
  PrintReportDialog(const QString& caption, const QString& copiesCaption);

  std::int16_t m_Output = 0;  // the output of the next run: print, preview or an export format

  // Places a frame of the dialog beside the report list or below it.
  void addBesideList(QWidget* frame);
  void addBelowList(QWidget* frame);

  // The steps of Stampa every dialog shares: the images into the list, the printers appended and the
  // given one selected, the report list rebuilt from its rows.
  void fillPrintersAndList(const QString& printer, std::vector<ListRow> rows);
  // Shows the dialog in front, centred on the main window.
  void showCentred();

  // Appends to each combo box the first column of the rows of its query, read on one connection;
  // a database error is shown to the user and leaves the lists as far as they got.
  void addQueryRows(const std::vector<std::pair<QComboBox*, QString>>& lists);

  // The window's keystroke preview, for the typing filters of a dialog's own fields.
  forms::KeyPreview& keyPreview() { return *m_keys; }

  // The report of a kind; nullptr for a kind the dialog does not know.
  virtual report::Report* reportOf(int kind) = 0;
  virtual QString queryOf(int kind) = 0;
  // The report's labels and captions for a run.
  virtual void setLabels(int kind) = 0;
  virtual void setSubReports(int kind) { (void)kind; }
  // The layout's export flag for a run in the given output mode (print and preview included).
  virtual void setExportMode(int kind, int output) = 0;

  // Sends the report of the current list row to the output of m_Output. A failure of the database,
  // the printer or the file is shown to the user.
  void StampaReport();

  // Refused while a report runs.
  void closeEvent(QCloseEvent* event) override;

 private:
  static bool s_running;  // a report of any print dialog is running
  void runOutput(int output);
  void exportReport(report::Report& report, int kind);

  std::vector<ListRow> m_Lista;
  std::int32_t m_NumRighe = 0;
  std::vector<QIcon> ImageList1;
  forms::KeyPreview* m_keys;
  QBoxLayout* m_top;
  QBoxLayout* m_body;
};
