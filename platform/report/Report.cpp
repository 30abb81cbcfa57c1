#include "platform/report/Report.h"

#include <exception>

#include "platform/db/DbError.h"
#include "platform/report/DesignStyles_p.h"
#include "platform/report/ExportFilter.h"
#include "platform/report/PrintPages_p.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportRun_p.h"
#include "platform/report/ReportViewer.h"

namespace report {

QSize PageSettings::pageSize() const {
  const QSizeF points = QPageSize(paper).size(QPageSize::Point);
  const QSize twips(int(points.width() * 20), int(points.height() * 20));
  return orientation == QPageLayout::Landscape ? twips.transposed() : twips;
}

Report::Report() = default;

Report::~Report() = default;

void Report::Load() {
  if (m_loaded) return;
  for (const auto& s : m_sections) s->keepDesign();
  m_loaded = true;
}

void Report::Unload() {
  if (!m_loaded) return;
  for (const auto& s : m_sections) s->restoreDesign();
  dc1 = DataControl();
  m_pages.clear();
  m_loaded = false;
}

namespace {

// Keeps the pages of a run.
class PageCollector : public PageSink {
 public:
  explicit PageCollector(Pages& pages) : m_pages(pages) {}
  void page(Page page) override { m_pages.push_back(std::move(page)); }

 private:
  Pages& m_pages;
};

// Passes each page on, then tells how many have been made.
class CountingSink : public PageSink {
 public:
  CountingSink(PageSink& next, const std::function<void(int)>& pageMade)
      : m_next(next), m_pageMade(pageMade) {}
  void page(Page page) override {
    m_next.page(std::move(page));
    if (m_pageMade) m_pageMade(++m_count);
  }

 private:
  PageSink& m_next;
  const std::function<void(int)>& m_pageMade;
  int m_count = 0;
};

}  // namespace

void Report::Run() {
  m_pages.clear();
  Pages pages;
  PageCollector collector(pages);
  runInto(collector);
  m_pages = std::move(pages);
}

void Report::Run(PageSink& sink) {
  m_pages.clear();
  runInto(sink);
}

void Report::runInto(PageSink& sink) {
  try {
    CountingSink counting(sink, m_pageMade);
    ReportRun(*this).paginate(counting);
  } catch (const ReportError&) {
    m_pageNumber = 0;
    throw;
  } catch (const db::DbError& e) {
    m_pageNumber = 0;
    throw ReportError(
        QStringLiteral("Errore nella lettura dei dati del report%1: %2").arg(inRecord(), e.description()));
  } catch (const std::exception& e) {
    m_pageNumber = 0;
    throw ReportError(QStringLiteral("Errore nella preparazione del report%1: %2")
                          .arg(inRecord(), QString::fromUtf8(e.what())));
  }
}

QString Report::inRecord() const {
  const QString record = recordInError();
  return record.isEmpty() ? QString() : " (" + record + ")";
}

void Report::Print(bool showDialog) {
  std::unique_ptr<PagePrinter> printer;
  try {
    printer = std::make_unique<PagePrinter>(m_printerDeviceName, m_documentName, m_pageSettings.pageSize());
  } catch (const ReportError&) {
    // The report runs all the same, so that its own errors come first.
    Run();
    throw;
  }
  if (!printer->start(showDialog)) return;
  Run(*printer);
  printer->finish();
}

void Report::Export(ExportFilter& filter) {
  filter.setStyles([this] { return designStyles(*this); });
  filter.begin();
  try {
    Run(filter);
  } catch (...) {
    filter.cancel();
    throw;
  }
  filter.finish();
}

ReportViewer* Report::Show() {
  Run();
  auto* viewer = new ReportViewer(m_pages, m_toolbar, m_caption, m_documentName, m_printerDeviceName);
  viewer->setAttribute(Qt::WA_DeleteOnClose);
  viewer->show();
  return viewer;
}

Section* Report::section(const QString& name) const {
  for (const auto& s : m_sections)
    if (s->name().compare(name, Qt::CaseInsensitive) == 0) return s.get();
  return nullptr;
}

Control* Report::control(const QString& name) const {
  for (const auto& s : m_sections)
    if (Control* c = s->control(name)) return c;
  return nullptr;
}

Section& Report::addSection(SectionType type, const QString& name, int height) {
  m_sections.push_back(std::make_unique<Section>(type, name, height));
  return *m_sections.back();
}

GroupHeader& Report::addGroupHeader(const QString& name, int height) {
  auto header = std::make_unique<GroupHeader>(name, height);
  GroupHeader& ref = *header;
  m_sections.push_back(std::move(header));
  return ref;
}

Section& Report::addGroupFooter(const QString& name, int height, const GroupHeader& header) {
  Section& footer = addSection(SectionType::GroupFooter, name, height);
  m_footerOf.emplace_back(&footer, &header);
  return footer;
}

}  // namespace report
