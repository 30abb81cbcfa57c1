#pragma once

#include <QString>

#include "platform/report/Report.h"

// The job-order report: per job order its code, description, customer, person in charge and
// dates, then five sub-reports (economic summary, quote lines against cost, labour, materials,
// other costs) refilled for each job order. The print dialog sets the data source, the page
// header's texts and which sub-reports are shown.
class arp_o_Com01 : public report::Report {
 public:
  arp_o_Com01();

  // Set before an export run; the report prints the same either way.
  bool ModoExport = false;

  static constexpr int SubReportCount = 5;
  // SubReport1 to SubReport5.
  report::SubReport* SubReport(int number) const;

 protected:
  void ReportStart() override;
  void FetchData(bool eof) override;
  void Format(report::Section& section) override;
  void ReportEnd() override;
  QString recordInError() const override;

 private:
  void formatDetail();
  void showDateIf(const QString& fieldName, const QString& flag);

  QString m_CodCom;
};
