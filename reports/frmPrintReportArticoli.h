#pragma once

#include <QString>
#include <memory>

#include "reports/PrintReportDialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class arpArticoli;

// The print dialog of the article list, of every article or of one category.
class frmPrintReportArticoli : public PrintReportDialog {
  Q_OBJECT
 public:
  frmPrintReportArticoli();
  ~frmPrintReportArticoli() override;

  // Fills the dialog for a printer and shows it.
  void Stampa(const QString& printer);

  arpArticoli& report() const { return *m_report; }

  QGroupBox* frmFilter;
  QLabel* Label3;
  QComboBox* cmbCat;
  QLabel* Label1;
  QComboBox* cmbArt;
  QLineEdit* txtSkipLabels;
  QScrollBar* UpDown2;

 protected:
  report::Report* reportOf(int kind) override;
  QString queryOf(int kind) override;
  void setLabels(int kind) override;
  void setExportMode(int kind, int output) override;

 private:
  void fillLists();
  // Enables the filters and the export command that the report kind of the current list row uses.
  void enableFilters();

  std::unique_ptr<arpArticoli> m_report;
};
