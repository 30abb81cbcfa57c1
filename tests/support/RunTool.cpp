#include "tests/support/RunTool.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <signal.h>
#include <unistd.h>

QString runTool(const QString& program, const QStringList& arguments, int seconds) {
  QProcess process;
  // The tool leads a process group of its own, so that a time-out also ends what it started
  // (LibreOffice's launcher starts the real office process and returns).
  process.setChildProcessModifier([] { setsid(); });
  process.start(program, arguments);
  if (!process.waitForStarted(10000)) {
    ADD_FAILURE() << "cannot start " << program.toStdString();
    return QString();
  }
  if (!process.waitForFinished(seconds * 1000)) {
    ::kill(-pid_t(process.processId()), SIGKILL);
    process.waitForFinished();
    ADD_FAILURE() << program.toStdString() << " did not finish";
    return QString();
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}
