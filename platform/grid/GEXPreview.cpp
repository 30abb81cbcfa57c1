#include "platform/grid/GEXPreview.h"

#include <QAction>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

namespace grid {
namespace {
GEXPreview::PrinterChooser& printerChooser() {
  static GEXPreview::PrinterChooser chooser;
  return chooser;
}
}  // namespace

void GEXPreview::setPrinterChooser(PrinterChooser chooser) { printerChooser() = std::move(chooser); }

GEXPreview::GEXPreview(QWidget* parent)
    : QWidget(parent), m_toolBar(new QToolBar(this)), m_pageLabel(new QLabel(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_toolBar);
  m_toolBar->setFont(QFont(QStringLiteral("Tahoma"), 8));
  m_printAction = m_toolBar->addAction(QStringLiteral("&Stampa.."), this, &GEXPreview::printDocument);
  m_toolBar->addSeparator();
  m_toolBar->addAction(QStringLiteral("Pagina intera"), this, [this] { setZoomMode(2); });
  m_toolBar->addAction(QStringLiteral("Larghezza pagina"), this, [this] { setZoomMode(1); });
  m_toolBar->addAction(QStringLiteral("100%"), this, [this] { setZoomMode(0); });
  m_toolBar->addAction(QStringLiteral("+"), this, [this] {
    if (m_view) m_view->zoomIn();
  });
  m_toolBar->addAction(QStringLiteral("-"), this, [this] {
    if (m_view) m_view->zoomOut();
  });
  m_toolBar->addSeparator();
  m_toolBar->addAction(QStringLiteral("\u25C0"), this, [this] {
    if (m_view) m_view->setCurrentPage(m_view->currentPage() - 1);
  });
  m_toolBar->addWidget(m_pageLabel);
  m_toolBar->addAction(QStringLiteral("\u25B6"), this, [this] {
    if (m_view) m_view->setCurrentPage(m_view->currentPage() + 1);
  });
}

GEXPreview::~GEXPreview() = default;

void GEXPreview::setDocument(std::unique_ptr<QPrinter> printer, PagePainter painter, QObject* source) {
  delete m_view;
  m_printer = std::move(printer);
  m_painter = std::move(painter);
  m_printAction->setEnabled(true);
  disconnect(m_sourceGone);
  m_sourceGone = connect(source, &QObject::destroyed, this, &GEXPreview::dropPainter);
  m_view = new QPrintPreviewWidget(m_printer.get(), this);
  layout()->addWidget(m_view);
  connect(m_view, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* target) {
    if (m_painter) m_painter(target);
  });
  connect(m_view, &QPrintPreviewWidget::previewChanged, this, &GEXPreview::updatePageLabel);
  setZoomMode(m_zoomMode);
  m_view->updatePreview();
  updatePageLabel();
}

void GEXPreview::dropPainter() {
  m_painter = nullptr;
  m_printAction->setEnabled(false);
}

void GEXPreview::setZoomMode(int mode) {
  m_zoomMode = mode;
  if (!m_view) return;
  switch (mode) {
    case 1: m_view->fitToWidth(); break;
    case 2: m_view->fitInView(); break;
    default:
      m_view->setZoomMode(QPrintPreviewWidget::CustomZoom);
      m_view->setZoomFactor(1.0);
      break;
  }
}

int GEXPreview::pageCount() const { return m_view ? m_view->pageCount() : 0; }
int GEXPreview::currentPage() const { return m_view ? m_view->currentPage() : 0; }

void GEXPreview::updatePageLabel() {
  m_pageLabel->setText(QStringLiteral(" %1 / %2 ").arg(currentPage()).arg(pageCount()));
}

void GEXPreview::printDocument() {
  if (!m_printer || !m_painter) return;
  if (printerChooser()) {
    if (printerChooser()(m_printer.get())) m_painter(m_printer.get());
    return;
  }
  QPrintDialog dialog(m_printer.get(), this);
  if (dialog.exec() == QDialog::Accepted) m_painter(m_printer.get());
}

}  // namespace grid
