#pragma once

#include <QString>

#include "platform/report/Page.h"

namespace report {

// Prints pages on the printer with the given device name under the given job name; with
// showDialog the user first confirms (or cancels) the print dialog. A printer that does not exist
// or refuses the job throws ReportError.
void printPages(const Pages& pages, const QString& deviceName, const QString& documentName,
                bool showDialog);

}  // namespace report
