#pragma once

#include <QString>
#include <array>
#include <memory>

#include "reports/PrintReportDialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class arp_o_Com01;

namespace forms {
class DatePicker;
}

// The job-order print dialog: which job orders (all, open, closed or one code), which customer and
// which of the five sub-reports go into the job-order report, on which printer or in which file.
class frmPrintReportCom : public PrintReportDialog {
  Q_OBJECT
 public:
  frmPrintReportCom();
  ~frmPrintReportCom() override;

  // Fills the dialog for a printer and, when not empty, a job-order code, and shows it.
  void Stampa(const QString& printer, const QString& CodCom);

  // The WHERE clause of the report's query for the job-order filter F and the customer filter C;
  // the texts are quoted by the data layer, so an apostrophe in them matches as itself.
  static QString CreaFiltro(const QString& F, const QString& C);

  arp_o_Com01& report() const { return *m_report; }

  QGroupBox* Frame1;
  std::array<QCheckBox*, 5> chkView;
  QGroupBox* frmFilter;
  QLabel* Label4;
  QComboBox* cmbFor;
  QLabel* Label3;
  QComboBox* cmbCat;
  QLabel* Label1;
  forms::DatePicker* Dat1;
  QLabel* Label2;
  forms::DatePicker* Dat2;

  QString m_CodCom;

 protected:
  report::Report* reportOf(int kind) override;
  QString queryOf(int kind) override;
  void setLabels(int kind) override;
  void setSubReports(int kind) override;
  void setExportMode(int kind, int output) override;

 private:
  void fillLists();

  std::unique_ptr<arp_o_Com01> m_report;
};
