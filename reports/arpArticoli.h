#pragma once

#include "reports/ExportListLayout.h"

// The article list: date, code, description and the two prices of each article of the query. The
// dialog sets the query and the title; the export to a spreadsheet sets ModoExport.
class arpArticoli : public ExportListLayout {
 public:
  arpArticoli();
};
