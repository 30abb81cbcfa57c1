#include "platform/report/ReportRun_p.h"

#include <algorithm>
#include <utility>

#include "platform/db/Connection.h"
#include "platform/report/Expression_p.h"
#include "platform/report/RecordsetRowSource_p.h"
#include "platform/report/Report.h"

namespace report {

namespace {

Variant addNumbers(const Variant& sum, const Variant& value) {
  if (!value.isNumber() || value.type() == VarType::Boolean) return sum;
  if (sum.isNull()) return value;
  if (sum.type() == VarType::Currency && value.type() == VarType::Currency)
    return Variant(sum.toCurrency() + value.toCurrency());
  return Variant(sum.toDouble() + value.toDouble());
}

}  // namespace

ReportRun::ReportRun(Report& report, Connections* shared)
    : m_report(report), m_connections(shared ? *shared : m_own) {}

ReportRun::~ReportRun() = default;

db::Connection& ReportRun::connection(const QString& connectionString) {
  std::unique_ptr<db::Connection>& c = m_connections[connectionString];
  if (!c) {
    auto opened = std::make_unique<db::Connection>();
    opened->Open(connectionString);
    c = std::move(opened);
  }
  return *c;
}

void ReportRun::paginate(PageSink& sink) {
  m_paged = true;
  m_sink = &sink;
  run();
}

Block ReportRun::flow(int pageNumber) {
  m_paged = false;
  m_report.m_pageNumber = pageNumber;
  run();
  return std::move(m_flow);
}

void ReportRun::run() {
  m_report.Load();
  for (const auto& s : m_report.sections()) {
    switch (s->type()) {
      case SectionType::ReportHeader: m_reportHeader = s.get(); break;
      case SectionType::PageHeader: m_pageHeader = s.get(); break;
      case SectionType::Detail: m_detail = s.get(); break;
      case SectionType::PageFooter: m_pageFooter = s.get(); break;
      case SectionType::ReportFooter: m_reportFooter = s.get(); break;
      case SectionType::GroupHeader: m_groups.push_back(static_cast<GroupHeader*>(s.get())); break;
      case SectionType::GroupFooter: break;
    }
    for (const auto& c : s->controls())
      if (c->type() == Control::Type::Field &&
          static_cast<Field*>(c.get())->summary() == Field::Summary::GrandTotal)
        m_sums.insert(static_cast<Field*>(c.get()), Variant::null());
  }
  for (GroupHeader* g : m_groups) {
    Section* footer = nullptr;
    for (const auto& [f, h] : m_report.m_footerOf)
      if (h == g) footer = const_cast<Section*>(f);
    m_groupFooters.push_back(footer);
  }
  m_lastBreak.assign(m_groups.size(), Variant());

  DataControl& dc = m_report.dc1;
  std::unique_ptr<RowSource> rows;
  if (!dc.source().trimmed().isEmpty())
    rows = std::make_unique<RecordsetRowSource>(dc.source(), connection(dc.connectionString()));
  dc.setColumns(rows ? rows->columns() : QStringList());

  m_report.ReportStart();
  if (m_paged) {
    openPage();
  } else {
    output(m_reportHeader);
    m_flowHeadings = format(m_pageHeader);
    if (m_flowHeadings) place(*m_flowHeadings, 0);
    m_flowHeadingsEnd = m_flow.height;
  }
  if (rows) {
    bool first = true;
    for (std::vector<Variant> values; rows->next(values); first = false) {
      dc.setRecord(std::move(values));
      processRecord(first);
    }
  } else {
    processRecord(true);
  }
  m_report.FetchData(true);
  if (m_anyRecord)
    for (size_t i = m_groups.size(); i-- > 0;) output(m_groupFooters[i]);
  output(m_reportFooter);
  if (m_paged) closePage();
  if (m_flowHeadings) m_flow.repeatOnContinuation(*m_flowHeadings, m_flowHeadingsEnd);
  m_report.ReportEnd();
  dc.clearRecord();
  if (m_paged) m_report.m_pageNumber = 0;
}

void ReportRun::processRecord(bool first) {
  m_anyRecord = true;
  m_report.FetchData(false);
  size_t level = first ? 0 : m_groups.size();
  for (size_t i = 0; i < m_groups.size() && !first; ++i) {
    if (m_groups[i]->breakValue() != m_lastBreak[i]) {
      level = i;
      break;
    }
  }
  if (!first)
    for (size_t i = m_groups.size(); i-- > level;) output(m_groupFooters[i]);
  const int detailHeight = m_detail && m_detail->visible() ? m_detail->height() : 0;
  for (size_t i = level; i < m_groups.size(); ++i) {
    m_lastBreak[i] = m_groups[i]->breakValue();
    output(m_groups[i], detailHeight);
  }
  for (auto it = m_sums.begin(); it != m_sums.end(); ++it)
    if (!it.key()->dataField().isEmpty())
      it.value() = addNumbers(it.value(), fieldValue(it.key()->dataField()));
  output(m_detail);
}

void ReportRun::output(Section* section, int keepWithNext) {
  if (std::optional<Block> block = format(section)) place(std::move(*block), keepWithNext);
}

std::optional<Block> ReportRun::format(Section* section) {
  if (!section) return std::nullopt;
  bind(*section);
  m_report.Format(*section);
  if (!section->visible()) return std::nullopt;
  return layout(*section);
}

void ReportRun::bind(Section& section) {
  for (const auto& c : section.controls()) {
    if (c->type() == Control::Type::Field) {
      auto* field = static_cast<Field*>(c.get());
      if (field->summary() == Field::Summary::GrandTotal)
        field->setValue(sumOf(field));
      else if (!field->dataField().isEmpty())
        field->setValue(fieldValue(field->dataField()));
    } else if (c->type() == Control::Type::CheckBox) {
      auto* box = static_cast<CheckBox*>(c.get());
      if (!box->dataField().isEmpty()) box->setChecked(fieldValue(box->dataField()).toBool());
    }
  }
}

// A sum over no rows, or over rows without numbers, is 0.
Variant ReportRun::sumOf(Field* field) const {
  const Variant sum = m_sums.value(field, Variant::null());
  return sum.isNull() ? Variant(0) : sum;
}

Variant ReportRun::fieldValue(const QString& dataField) const {
  const DataControl& dc = m_report.dc1;
  if (dataField.startsWith(u'='))
    return evaluateExpression(dataField.mid(1), [&dc](const QString& column) { return dc.value(column); });
  return dc.value(dataField);
}

Block ReportRun::layout(const Section& section) {
  struct Placed {
    const Control* control;
    int growth = 0;
    int shift = 0;
  };
  std::vector<const Control*> order;
  for (const auto& c : section.controls()) order.push_back(c.get());
  std::stable_sort(order.begin(), order.end(),
                   [](const Control* a, const Control* b) { return a->rect().top() < b->rect().top(); });

  // A control moves down by the growth of the control that ends nearest above it.
  std::vector<Placed> placed;
  auto shiftAt = [&placed](int top) {
    int bottom = -1;
    int shift = 0;
    for (const Placed& p : placed) {
      const int b = p.control->rect().top() + p.control->rect().height();
      if (b > top) continue;
      if (b > bottom) {
        bottom = b;
        shift = p.shift + p.growth;
      } else if (b == bottom) {
        shift = std::max(shift, p.shift + p.growth);
      }
    }
    return shift;
  };

  const LayoutContext context{
      [this](Report& sub) { return ReportRun(sub, &m_connections).flow(m_report.m_pageNumber); }};
  Block block;
  int lowest = 0;
  for (const Control* c : order) {
    Placed p{c, 0, shiftAt(c->rect().top())};
    QRect rect = c->rect().translated(0, p.shift);
    p.growth = c->layout(rect, block, context);
    lowest = std::max(lowest, rect.top() + rect.height());
    placed.push_back(p);
  }
  block.height = std::max({0, section.height() + shiftAt(section.height()), lowest});
  std::sort(block.breaks.begin(), block.breaks.end());
  return block;
}

void ReportRun::place(Block block, int keepWithNext) {
  if (!m_paged) {
    m_flow.append(std::move(block), 0);
    return;
  }
  const int bodyHeight = m_bodyBottom - m_bodyTop;
  if (m_y > m_bodyTop && m_y + block.height + keepWithNext > m_bodyBottom &&
      block.height + keepWithNext <= bodyHeight) {
    closePage();
    openPage();
  }
  while (m_y + block.height > m_bodyBottom) {
    const int room = m_bodyBottom - m_y;
    int cut = 0;
    for (int b : block.breaks)
      if (b > 0 && b <= room) cut = std::max(cut, b);
    if (cut == 0) {
      if (m_y > m_bodyTop) {
        closePage();
        openPage();
        continue;
      }
      // Not even the first piece fits an empty page: it goes on this page, running past the body.
      for (int b : block.breaks)
        if (b > 0 && (cut == 0 || b < cut)) cut = b;
      if (cut == 0 || cut >= block.height) break;
    }
    Block rest = block.splitAt(cut);
    appendToPage(std::move(block));
    closePage();
    openPage();
    block = std::move(rest);
  }
  appendToPage(std::move(block));
}

void ReportRun::openPage() {
  const PageSettings& settings = m_report.pageSettings();
  m_page =
      Page{settings.pageSize(),
           {},
           QMargins(settings.leftMargin, settings.topMargin, settings.rightMargin, settings.bottomMargin)};
  m_report.m_pageNumber = ++m_pageCount;
  m_y = settings.topMargin;
  const int footer = m_pageFooter && m_pageFooter->visible() ? m_pageFooter->height() : 0;
  m_bodyBottom = settings.pageSize().height() - settings.bottomMargin - footer;
  if (m_pageCount == 1)
    if (std::optional<Block> header = format(m_reportHeader)) appendToPage(std::move(*header));
  if (std::optional<Block> header = format(m_pageHeader)) appendToPage(std::move(*header));
  m_bodyTop = m_y;
  m_bodyBottom = std::max(m_bodyBottom, m_bodyTop + 1);
}

// Finishes the page with its footer and hands it on; the run keeps nothing of it.
void ReportRun::closePage() {
  if (std::optional<Block> footer = format(m_pageFooter)) {
    const PageSettings& settings = m_report.pageSettings();
    m_y = std::max(m_y, settings.pageSize().height() - settings.bottomMargin - footer->height);
    appendToPage(std::move(*footer));
  }
  m_sink->page(std::exchange(m_page, Page{}));
}

void ReportRun::appendToPage(Block block) {
  const int left = m_report.pageSettings().leftMargin;
  for (PageItem& item : block.items) {
    translate(item, left, m_y);
    m_page.items.push_back(std::move(item));
  }
  m_y += block.height;
}

}  // namespace report
