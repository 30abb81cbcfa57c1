#pragma once

#include <QString>

#include "reports/ListLayout.h"

// Sub-report of the job-order report: its quote lines, with the cost booked on each and the difference,
// by code, and the totals.
class arp_com_det_prev : public ListLayout {
 public:
  arp_com_det_prev();
  // The records of one job order.
  static QString Query(const QString& CodCom);
};
