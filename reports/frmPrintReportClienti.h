#pragma once

#include "reports/CliForPrintDialog.h"

// The print dialog of the customers: their address book and their register.
class frmPrintReportClienti : public CliForPrintDialog {
  Q_OBJECT
 public:
  frmPrintReportClienti();
};
