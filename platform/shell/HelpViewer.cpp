#include "platform/shell/HelpViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace shell {

namespace {

QPointer<QTextBrowser> window;

// The "Default topic=" of the help project file, or index.htm.
QString defaultPage(const QString& folder, const QString& name) {
  QFile project(folder + '/' + name + QStringLiteral(".hhp"));
  if (project.open(QIODevice::ReadOnly | QIODevice::Text)) {
    while (!project.atEnd()) {
      const QString line = QString::fromUtf8(project.readLine()).trimmed();
      if (line.startsWith(QLatin1String("Default topic="), Qt::CaseInsensitive))
        return line.section('=', 1).trimmed();
    }
  }
  return QStringLiteral("index.htm");
}

}  // namespace

QString helpPagesFolder(const QString& helpFile) {
  const QFileInfo info(helpFile);
  return info.absolutePath() + '/' + info.completeBaseName();
}

bool showHelpPages(const QString& helpFile) {
  const QString folder = helpPagesFolder(helpFile);
  const QString page = folder + '/' + defaultPage(folder, QFileInfo(helpFile).completeBaseName());
  if (!QFileInfo(page).isFile()) return false;
  if (!window) {
    window = new QTextBrowser;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setOpenExternalLinks(true);
    window->resize(720, 560);
    QObject::connect(window, &QTextBrowser::sourceChanged, window,
                     [](const QUrl&) { window->setWindowTitle(window->documentTitle()); });
  }
  window->setSource(QUrl::fromLocalFile(page));
  window->setWindowTitle(window->documentTitle());
  window->show();
  window->raise();
  window->activateWindow();
  return true;
}

QTextBrowser* helpWindow() { return window; }

}  // namespace shell
