#pragma once

#include <QString>

#include "platform/report/Report.h"

// Sub-report of the job-order report: the economic summary of one job order, the 3 x 6 matrix of
// the summary window without the hours. Labels Label7 to Label24 hold the amounts, part by part.
class arp_o_det_datieco : public report::Report {
 public:
  arp_o_det_datieco();

  // Reads the summary of CodCom and puts its eighteen amounts into the labels. A database error
  // throws db::DbError.
  void Apri(const QString& CodCom);
};
