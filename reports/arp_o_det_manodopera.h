#pragma once

#include <QString>

#include "reports/ListLayout.h"

// Sub-report of the job-order report: its labour rows (those that name an existing employee), newest
// first.
class arp_o_det_manodopera : public ListLayout {
 public:
  arp_o_det_manodopera();
  // The records of one job order.
  static QString Query(const QString& CodCom);
};
