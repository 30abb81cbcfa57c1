#pragma once

#include <QMainWindow>
#include <vector>

#include "platform/report/Page.h"
#include "platform/report/PreviewToolbar.h"

class QAction;
class QComboBox;
class QLineEdit;
class QScrollArea;
class QLabel;

namespace report {

class PageWidget;

// The preview window of a report: one page at a time, a zoom choice, page navigation and the
// toolbar as the report sets it.
class ReportViewer : public QMainWindow {
  Q_OBJECT
 public:
  ReportViewer(Pages pages, const PreviewToolbar& toolbar, const QString& caption,
               const QString& documentName, const QString& printerDeviceName);
  ~ReportViewer() override;

  int pageCount() const { return int(m_pages.size()); }
  int currentPage() const { return m_current; }  // from 1
  void showPage(int number);
  int zoomChoice() const;  // 1 .. PreviewToolbar::zoomChoiceCount()
  void setZoomChoice(int choice);
  double scale() const;  // screen pixels per twip of the page shown

  // The action of a tool by its index; nullptr for a hidden tool or a separator.
  QAction* toolAction(int index) const;
  QComboBox* zoomBox() const { return m_zoom; }
  QLineEdit* pageBox() const { return m_pageBox; }
  const Pages& pages() const { return m_pages; }

 signals:
  // Printing the pages from the preview failed; the caller shows the message.
  void printFailed(const QString& message);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;  // fitting zooms follow the window's size

 private:
  void buildToolbar(const PreviewToolbar& toolbar);
  void placeOnScreen();
  void stepZoom(int direction);
  void trigger(PreviewAction action);
  void goTo(int number, bool remember);
  // Back or forward: the page on top of `from` is shown, the current one goes onto `to`.
  void retrace(std::vector<int>& from, std::vector<int>& to);
  void applyZoom();
  void printShown();

  Pages m_pages;
  QString m_documentName;
  QString m_printerDeviceName;
  std::vector<QAction*> m_actions;
  std::vector<PreviewAction> m_kinds;
  std::vector<int> m_back;
  std::vector<int> m_forward;
  QComboBox* m_zoom = nullptr;
  QLineEdit* m_pageBox = nullptr;
  QScrollArea* m_scroll;
  PageWidget* m_page;
  int m_current = 1;
};

}  // namespace report
