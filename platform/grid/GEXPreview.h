#pragma once

#include <QWidget>
#include <functional>
#include <memory>

class QPrinter;
class QPrintPreviewWidget;
class QToolBar;
class QAction;
class QLabel;

namespace grid {

// The print preview a grid renders into: a page view with a toolbar (zoom, page, print). Any window
// can hold one; GridEX::printPreview fills it.
class GEXPreview : public QWidget {
  Q_OBJECT
 public:
  explicit GEXPreview(QWidget* parent = nullptr);
  ~GEXPreview() override;

  // Zoom mode: 0 actual size, 1 fit the page width, 2 fit the whole page.
  int zoomMode() const { return m_zoomMode; }
  void setZoomMode(int mode);

  int pageCount() const;
  int currentPage() const;

  // The page painter the grid (source) hands over; the preview calls it whenever it redraws and
  // when the user prints from the toolbar. When the source goes, the pages shown stay but can no
  // longer be printed: the painter would paint nothing.
  using PagePainter = std::function<void(QPrinter*)>;
  void setDocument(std::unique_ptr<QPrinter> printer, PagePainter painter, QObject* source);

  QToolBar* toolBar() const { return m_toolBar; }

  // Test hook: while set, the print button hands the printer to the chooser instead of showing the
  // print dialog; the chooser sets the printer up (a queue, a PDF file) and answers whether to print.
  using PrinterChooser = std::function<bool(QPrinter*)>;
  static void setPrinterChooser(PrinterChooser chooser);

 public slots:
  // Asks for the printer (the print dialog) and prints every page on the one chosen.
  void printDocument();

 private:
  void updatePageLabel();
  void dropPainter();

  QToolBar* m_toolBar;
  QAction* m_printAction;
  QPrintPreviewWidget* m_view = nullptr;
  QLabel* m_pageLabel;
  std::unique_ptr<QPrinter> m_printer;
  PagePainter m_painter;
  QMetaObject::Connection m_sourceGone;
  int m_zoomMode = 1;
};

}  // namespace grid
