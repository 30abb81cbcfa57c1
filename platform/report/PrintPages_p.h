#pragma once

#include <QPainter>
#include <QPrinter>
#include <QString>
#include <memory>

#include "platform/report/Page.h"

namespace report {

// Prints pages one by one, as they come, on the printer with the given device name under the
// given job name. A printer that does not exist or refuses the job throws ReportError.
class PagePrinter : public PageSink {
 public:
  PagePrinter(const QString& deviceName, const QString& documentName, const QSize& pageSize);
  ~PagePrinter() override;
  // Opens the print job, with showDialog after the user confirms the print dialog; false when
  // the user cancelled it.
  bool start(bool showDialog);
  void page(Page page) override;
  void finish();

 private:
  QString m_deviceName;
  std::unique_ptr<QPrinter> m_printer;
  QPainter m_painter;
  int m_count = 0;
};

// Prints pages already made.
void printPages(const Pages& pages, const QString& deviceName, const QString& documentName, bool showDialog);

}  // namespace report
