#include "platform/shell/HelpViewer.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace shell {

namespace {

QPointer<HelpWindow> window;

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

void centreOnActiveWindow(QWidget& help) {
  const QWidget* owner = QApplication::activeWindow();
  if (!owner || owner == &help) return;
  QRect area(QPoint(), help.size());
  area.moveCenter(owner->geometry().center());
  help.move(area.topLeft());
}

}  // namespace

HelpWindow::HelpWindow() : m_browser(new QTextBrowser(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  m_browser->setOpenExternalLinks(true);
  auto* tools = new QToolBar(this);
  QAction* back = tools->addAction(QStringLiteral("Indietro"), m_browser, &QTextBrowser::backward);
  QAction* forward = tools->addAction(QStringLiteral("Avanti"), m_browser, &QTextBrowser::forward);
  back->setObjectName(QStringLiteral("helpBack"));
  forward->setObjectName(QStringLiteral("helpForward"));
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  connect(m_browser, &QTextBrowser::sourceChanged, this,
          [this](const QUrl&) { setWindowTitle(m_browser->documentTitle()); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(tools);
  layout->addWidget(m_browser);
  resize(720, 560);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape)
    close();
  else
    QWidget::keyPressEvent(event);
}

QString helpPagesFolder(const QString& helpFile) {
  const QFileInfo info(helpFile);
  return info.absolutePath() + '/' + info.completeBaseName();
}

bool showHelpPages(const QString& helpFile) {
  const QString folder = helpPagesFolder(helpFile);
  const QString page = folder + '/' + defaultPage(folder, QFileInfo(helpFile).completeBaseName());
  if (!QFileInfo(page).isFile()) return false;
  if (!window) window = new HelpWindow;
  window->browser()->setSource(QUrl::fromLocalFile(page));
  window->setWindowTitle(window->browser()->documentTitle());
  if (!window->isVisible()) centreOnActiveWindow(*window);
  window->show();
  window->raise();
  window->activateWindow();
  return true;
}

HelpWindow* helpWindow() { return window; }

}  // namespace shell
