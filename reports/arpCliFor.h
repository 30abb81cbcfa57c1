#pragma once

#include "reports/ListReport.h"

// The address book of customers or suppliers: names in the order of the query, grouped by their
// initial, each group headed by the letter. The dialog sets the query, the title and the captions.
class arpCliFor : public ListReport {
 public:
  arpCliFor();

 protected:
  void FetchData(bool eof) override;

 private:
  report::GroupHeader* ghOrderGroup;
};
