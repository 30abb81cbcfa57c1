#pragma once

#include "reports/CliForPrintDialog.h"

// The print dialog of the suppliers: their address book and their register.
class frmPrintReportFornitori : public CliForPrintDialog {
  Q_OBJECT
 public:
  frmPrintReportFornitori();
};
