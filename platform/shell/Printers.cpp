#include "platform/shell/Printers.h"

#include <QPrinterInfo>

namespace shell {

namespace {

std::function<PrinterList()>& replacedSource() {
  static std::function<PrinterList()> source;
  return source;
}

PrinterList systemPrinters() {
  PrinterList list;
  const QList<QPrinterInfo> available = QPrinterInfo::availablePrinters();
  for (const QPrinterInfo& info : available) list.printers.append({info.printerName(), info.makeAndModel()});
  list.defaultPrinter = QPrinterInfo::defaultPrinterName();
  return list;
}

}  // namespace

PrinterList installedPrinters() {
  if (replacedSource()) return replacedSource()();
  return systemPrinters();
}

void setPrinterSource(std::function<PrinterList()> source) { replacedSource() = std::move(source); }

}  // namespace shell
