#include "platform/report/ReportViewer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QImage>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QToolBar>
#include <algorithm>

#include "platform/report/PagePainter.h"
#include "platform/report/PrintPages_p.h"
#include "platform/report/ReportError.h"
#include "platform/report/TextGrid_p.h"
#include "platform/runtime/Twips.h"

namespace report {

namespace {

constexpr int PageMargin = 12;  // pixels of grey around the page

}  // namespace

// Draws one page at the viewer's scale.
class PageWidget : public QWidget {
 public:
  explicit PageWidget(QWidget* parent) : QWidget(parent) {}
  void setPage(const Page* page, double scale) {
    m_page = page;
    m_scale = scale;
    const QSize size = m_page ? m_page->size : QSize();
    setFixedSize(int(size.width() * m_scale) + 2 * PageMargin, int(size.height() * m_scale) + 2 * PageMargin);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    if (!m_page) return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect paper(PageMargin, PageMargin, int(m_page->size.width() * m_scale),
                      int(m_page->size.height() * m_scale));
    painter.fillRect(paper, Qt::white);
    painter.translate(paper.topLeft());
    paintPage(painter, *m_page, m_scale);
  }

 private:
  const Page* m_page = nullptr;
  double m_scale = 1.0 / TwipsPerPixel;
};

ReportViewer::ReportViewer(Pages pages, const PreviewToolbar& toolbar, const QString& caption,
                           const QString& documentName, const QString& printerDeviceName)
    : m_pages(std::move(pages)),
      m_documentName(documentName),
      m_printerDeviceName(printerDeviceName),
      m_scroll(new QScrollArea(this)),
      m_page(new PageWidget(m_scroll)) {
  setWindowTitle(caption);
  m_scroll->setWidget(m_page);
  m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  m_scroll->setBackgroundRole(QPalette::Dark);
  setCentralWidget(m_scroll);
  m_scroll->viewport()->installEventFilter(this);
  buildToolbar(toolbar);
  // Esc closes the preview as it does every window of the program.
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
  placeOnScreen();
  goTo(1, false);
}

// The window opens centred on the screen and no larger than nine tenths of it, so that its frame
// and its lower edge stay in sight on a small screen.
void ReportViewer::placeOnScreen() {
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  resize(QSize(900, 700).boundedTo(available.size() * 9 / 10));
  move(available.center() - rect().center());
}

ReportViewer::~ReportViewer() = default;

void ReportViewer::buildToolbar(const PreviewToolbar& toolbar) {
  QToolBar* bar = addToolBar(QString());
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  // A separator shows only between two shown tools.
  bool separate = false;
  for (int i = 0; i < PreviewToolbar::ToolCount; ++i) {
    const PreviewTool& tool = toolbar.tool(i);
    QAction* action = nullptr;
    if (tool.visible && tool.action == PreviewAction::Separator) {
      separate = !bar->actions().isEmpty();
    } else if (tool.visible) {
      if (separate) bar->addSeparator();
      separate = false;
      switch (tool.action) {
        case PreviewAction::Separator: break;
        case PreviewAction::ZoomChoice:
          m_zoom = new QComboBox(bar);
          for (int choice = 1; choice <= toolbar.zoomChoiceCount(); ++choice)
            m_zoom->addItem(toolbar.zoomCaption(choice));
          connect(m_zoom, &QComboBox::activated, this, [this] { applyZoom(); });
          action = bar->addWidget(m_zoom);
          break;
        case PreviewAction::PageNumber: {
          m_pageBox = new QLineEdit(bar);
          m_pageBox->setValidator(new QIntValidator(1, std::max(1, pageCount()), m_pageBox));
          m_pageBox->setMaximumWidth(60);
          connect(m_pageBox, &QLineEdit::returnPressed, this,
                  [this] { showPage(m_pageBox->text().toInt()); });
          action = bar->addWidget(m_pageBox);
          bar->addWidget(new QLabel(QStringLiteral(" di %1 ").arg(pageCount()), bar));
          break;
        }
        default: {
          const PreviewAction kind = tool.action;
          action = bar->addAction(tool.caption, this, [this, kind] { trigger(kind); });
          break;
        }
      }
    }
    m_actions.push_back(action);
    m_kinds.push_back(tool.action);
  }
}

QAction* ReportViewer::toolAction(int index) const {
  return index >= 0 && index < int(m_actions.size()) ? m_actions[size_t(index)] : nullptr;
}

void ReportViewer::trigger(PreviewAction action) {
  switch (action) {
    case PreviewAction::CopyPage: {
      QImage image(m_page->size(), QImage::Format_RGB32);
      m_page->render(&image);
      QApplication::clipboard()->setImage(image);
      break;
    }
    case PreviewAction::Print: printShown(); break;
    case PreviewAction::FirstPage: goTo(1, true); break;
    case PreviewAction::LastPage: goTo(pageCount(), true); break;
    case PreviewAction::ZoomOut: stepZoom(-1); break;
    case PreviewAction::ZoomIn: stepZoom(+1); break;
    case PreviewAction::PreviousPage: goTo(m_current - 1, true); break;
    case PreviewAction::NextPage: goTo(m_current + 1, true); break;
    case PreviewAction::Back: retrace(m_back, m_forward); break;
    case PreviewAction::Forward: retrace(m_forward, m_back); break;
    case PreviewAction::CopyText:
      if (m_current >= 1 && m_current <= pageCount())
        QApplication::clipboard()->setText(pageText(m_pages[size_t(m_current - 1)]));
      break;
    case PreviewAction::Close: close(); break;
    case PreviewAction::Separator:
    case PreviewAction::ZoomChoice:
    case PreviewAction::PageNumber: break;
  }
}

void ReportViewer::printShown() {
  try {
    report::printPages(m_pages, m_printerDeviceName, m_documentName, false);
  } catch (const ReportError& e) {
    emit printFailed(e.description());
  }
}

void ReportViewer::retrace(std::vector<int>& from, std::vector<int>& to) {
  if (from.empty()) return;
  to.push_back(m_current);
  const int page = from.back();
  from.pop_back();
  goTo(page, false);
}

void ReportViewer::showPage(int number) { goTo(number, true); }

void ReportViewer::goTo(int number, bool remember) {
  number = std::clamp(number, 1, std::max(1, pageCount()));
  if (remember && number != m_current) {
    m_back.push_back(m_current);
    m_forward.clear();
  }
  m_current = number;
  if (m_pageBox) m_pageBox->setText(QString::number(m_current));
  applyZoom();
}

int ReportViewer::zoomChoice() const { return m_zoom ? m_zoom->currentIndex() + 1 : 1; }

void ReportViewer::setZoomChoice(int choice) {
  if (!m_zoom) return;
  m_zoom->setCurrentIndex(std::clamp(choice, 1, m_zoom->count()) - 1);
  applyZoom();
}

// The next percentage above (direction +1) or below (-1) the scale shown, also when the page is
// fitted to the window; at either end of the list the zoom stays.
void ReportViewer::stepZoom(int direction) {
  if (!m_zoom) return;
  const double shown = scale() * TwipsPerPixel * 100.0;
  int choice = zoomChoice();
  for (int c = 3; c <= m_zoom->count(); ++c) {
    const int percent = PreviewToolbar::zoomPercent(c);
    if (direction > 0 && percent > shown + 0.5) {
      choice = c;
      break;
    }
    if (direction < 0 && percent < shown - 0.5) choice = c;
  }
  setZoomChoice(choice);
}

double ReportViewer::scale() const {
  const Page* page = m_pages.empty() ? nullptr : &m_pages[size_t(m_current - 1)];
  const int percent = PreviewToolbar::zoomPercent(zoomChoice());
  if (percent || !page) return percent / 100.0 / TwipsPerPixel;
  const QSize room = m_scroll->viewport()->size() - QSize(2 * PageMargin, 2 * PageMargin);
  const double width = std::max(1, room.width()) / double(page->size.width());
  if (zoomChoice() == 1) return width;
  return std::min(width, std::max(1, room.height()) / double(page->size.height()));
}

void ReportViewer::applyZoom() {
  const Page* page = m_pages.empty() ? nullptr : &m_pages[size_t(m_current - 1)];
  m_page->setPage(page, scale());
  m_scroll->verticalScrollBar()->setValue(0);
  for (size_t i = 0; i < m_actions.size(); ++i) {
    if (!m_actions[i]) continue;
    if (m_kinds[i] == PreviewAction::PreviousPage || m_kinds[i] == PreviewAction::FirstPage)
      m_actions[i]->setEnabled(m_current > 1);
    if (m_kinds[i] == PreviewAction::NextPage || m_kinds[i] == PreviewAction::LastPage)
      m_actions[i]->setEnabled(m_current < pageCount());
  }
}

bool ReportViewer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_scroll->viewport() && event->type() == QEvent::Resize &&
      PreviewToolbar::zoomPercent(zoomChoice()) == 0)
    applyZoom();
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace report
