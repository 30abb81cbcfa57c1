#pragma once

#include <QList>
#include <QString>
#include <functional>

// The printers installed on this machine, as the print system reports them.
namespace shell {

struct Printer {
  QString deviceName;  // the name a print job is sent to
  QString driverName;  // make and model
};

struct PrinterList {
  QList<Printer> printers;  // in the print system's order
  QString defaultPrinter;   // device name of the default printer; empty when there is none
};

PrinterList installedPrinters();

// Replaces the print system as the source of installedPrinters() (tests use it to simulate a
// machine with no printer or with a known set). An empty function restores the print system.
void setPrinterSource(std::function<PrinterList()> source);

}  // namespace shell
