#include "tests/support/ToolOutput.h"

#include <gtest/gtest.h>

#include <QProcess>

namespace testenv {

QString runTool(const QString& program, const QStringList& arguments, int seconds) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForStarted(10000)) {
    ADD_FAILURE() << "cannot start " << program.toStdString();
    return QString();
  }
  if (!process.waitForFinished(seconds * 1000)) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << program.toStdString() << " did not finish";
    return QString();
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList pageTexts(const report::Pages& pages) {
  QStringList texts;
  for (const report::Page& page : pages)
    for (const report::PageItem& item : page.items)
      if (item.kind == report::PageItem::Kind::Text) texts << item.text;
  return texts;
}

}  // namespace testenv
