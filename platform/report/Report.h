#pragma once

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/report/DataControl.h"
#include "platform/report/Page.h"
#include "platform/report/PreviewToolbar.h"
#include "platform/report/Section.h"

namespace report {

class ExportFilter;
class ReportViewer;

// Paper and margins of a report's pages; margins in twips.
struct PageSettings {
  QPageSize::PageSizeId paper = QPageSize::A4;
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
  int leftMargin = 1080;
  int topMargin = 1080;
  int rightMargin = 1080;
  int bottomMargin = 1080;

  QSize pageSize() const;  // twips, orientation applied
};

// A banded report. A layout derives from it, declares its sections and their controls in its
// constructor (in twips) and overrides the events it needs:
//   ReportStart  before the first record;
//   FetchData    after each record is fetched (eof false, its values readable through dc1), and
//                once more when the records are over (eof true);
//   Format       before each section is laid out, with pageNumber() the page it goes on; the step
//                may change the section's visibility and its controls;
//   ReportEnd    after the last page.
// Sections go in this order whatever the order of declaration: report header, page header, the
// group headers in the order declared, detail, the group footers innermost first, page footer,
// report footer. A report without a data source prints its detail once. Run as a sub-report, a
// report prints its page header under its report header and again at the top of each page where
// its rows continue; it has no page footer.
class Report {
 public:
  Report();
  virtual ~Report();
  Report(const Report&) = delete;
  Report& operator=(const Report&) = delete;

  // Load keeps the layout as designed; Unload puts every section and control back to it (values
  // set on controls and the data control's settings are dropped, sub-report layouts unloaded).
  // Load is harmless when the report is loaded already; Run, Print and Show load it.
  void Load();
  void Unload();
  bool isLoaded() const { return m_loaded; }

  DataControl dc1;

  // Runs the report from its data source and keeps the pages produced. A database error, or an
  // event that throws, ends the run with a ReportError whose description says why; the pages
  // then are empty.
  void Run();
  const Pages& pages() const { return m_pages; }
  // Runs the report handing each page to the sink as soon as it is finished; keeps none.
  void Run(PageSink& sink);

  // Called after each page a run finishes, with the number of pages made so far; the place for a
  // caller to show progress while the run goes on.
  void setPageMade(std::function<void(int pages)> pageMade) { m_pageMade = std::move(pageMade); }

  // Prints the report on the printer named by printerDeviceName(), each page as it is made: with
  // showDialog true once the user confirms the print dialog, with it false at once. Returns when
  // the pages have been handed to the print system. A printer that does not exist throws
  // ReportError.
  void Print(bool showDialog);

  // Runs the report into the export filter, each page written as it is made. On a failure the
  // filter's file is left as it was.
  void Export(ExportFilter& filter);
  QString printerDeviceName() const { return m_printerDeviceName; }
  void setPrinterDeviceName(const QString& deviceName) { m_printerDeviceName = deviceName; }

  // Runs the report and opens its own preview window, modeless and without owner, with the toolbar
  // and zoom choices as set; the window deletes itself when closed and keeps its own copy of the
  // pages, so it outlives the report.
  ReportViewer* Show();

  PreviewToolbar& toolbar() { return m_toolbar; }
  const PreviewToolbar& toolbar() const { return m_toolbar; }
  QString caption() const { return m_caption; }  // the preview window's title
  void setCaption(const QString& caption) { m_caption = caption; }
  QString documentName() const { return m_documentName; }  // the print job's name
  void setDocumentName(const QString& name) { m_documentName = name; }

  PageSettings& pageSettings() { return m_pageSettings; }
  const PageSettings& pageSettings() const { return m_pageSettings; }
  // Width of the layout's sections in twips; nothing is placed beyond it.
  int printWidth() const { return m_printWidth; }
  void setPrintWidth(int twips) { m_printWidth = twips; }

  // The page being laid out, from 1, during a run; 0 outside one.
  int pageNumber() const { return m_pageNumber; }

  Section* section(const QString& name) const;  // nullptr when there is no such section
  Control* control(const QString& name) const;  // in any section; nullptr when there is none
  // The control of that name and kind in any section; a ReportError when there is none.
  template <class C>
  C& controlAs(const QString& name) const {
    return checkedControl<C>(control(name), name);
  }
  const std::vector<std::unique_ptr<Section>>& sections() const { return m_sections; }

 protected:
  Section& addSection(SectionType type, const QString& name, int height);
  GroupHeader& addGroupHeader(const QString& name, int height);
  // A group footer closes the group of the header given.
  Section& addGroupFooter(const QString& name, int height, const GroupHeader& header);

  virtual void ReportStart() {}
  virtual void FetchData(bool eof) { (void)eof; }
  virtual void Format(Section& section) { (void)section; }
  virtual void ReportEnd() {}
  // Names the record being laid out for an error message ("commessa C001"); empty for none.
  virtual QString recordInError() const { return QString(); }

 private:
  friend class ReportRun;

  std::vector<std::unique_ptr<Section>> m_sections;
  void runInto(PageSink& sink);
  QString inRecord() const;

  std::vector<std::pair<const Section*, const GroupHeader*>> m_footerOf;
  Pages m_pages;
  std::function<void(int)> m_pageMade;
  PreviewToolbar m_toolbar;
  PageSettings m_pageSettings;
  QString m_printerDeviceName;
  QString m_caption;
  QString m_documentName;
  int m_printWidth = 9746;
  int m_pageNumber = 0;
  bool m_loaded = false;
};

}  // namespace report
