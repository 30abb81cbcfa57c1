#pragma once

#include <QString>

#include "reports/ListLayout.h"

// Sub-report of the job-order report: its material rows, newest first.
class arp_o_det_materiali : public ListLayout {
 public:
  arp_o_det_materiali();
  // The records of one job order.
  static QString Query(const QString& CodCom);
};
