#pragma once

#include <QString>

#include "reports/ListLayout.h"

// Sub-report of the job-order report: its other-cost rows of a known category, newest first.
class arp_o_det_AC : public ListLayout {
 public:
  arp_o_det_AC();
  // The records of one job order.
  static QString Query(const QString& CodCom);
};
