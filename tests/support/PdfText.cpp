#include "tests/support/PdfText.h"

#include <QProcess>

namespace testenv {

QStringList pdfPages(const QString& path) {
  QProcess reader;
  reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  if (!reader.waitForFinished(20000)) return {};
  QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split('\f');
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

}  // namespace testenv
