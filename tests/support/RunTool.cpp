#include "tests/support/RunTool.h"

#include <gtest/gtest.h>

#include <QProcess>

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
