#pragma once

#include "reports/ExportListLayout.h"

// The register of customers or suppliers in code order, codes written with five digits. The dialog
// sets the query, the title and the captions; exports to a spreadsheet or a web page set ModoExport.
class arpCliFor2 : public ExportListLayout {
 public:
  arpCliFor2();
};
