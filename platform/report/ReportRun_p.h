#pragma once

#include <QHash>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/report/Block.h"

namespace db {
class Connection;
}

namespace report {

class Report;
class Section;
class GroupHeader;
class Field;
class Control;

// One run of a report: reads its rows, raises its events and lays out its sections, either into
// pages handed one by one to a sink as each is finished or, for a sub-report, into one block. The sub-reports
// of a run share its connections, one per connection string, so that running one per record does not reopen
// the database.
class ReportRun {
 public:
  using Connections = std::map<QString, std::unique_ptr<db::Connection>>;
  explicit ReportRun(Report& report, Connections* shared = nullptr);
  ~ReportRun();
  void paginate(PageSink& sink);
  Block flow(int pageNumber);

 private:
  void run();
  void processRecord(bool first);
  void output(Section* section, int keepWithNext = 0);
  std::optional<Block> format(Section* section);
  void bind(Section& section);
  Variant fieldValue(const QString& dataField) const;
  Variant sumOf(Field* field) const;
  Block layout(const Section& section);
  void place(Block block, int keepWithNext);
  void openPage();
  void closePage();
  void appendToPage(Block block);
  db::Connection& connection(const QString& connectionString);

  Report& m_report;
  Connections m_own;
  Connections& m_connections;
  bool m_paged = true;
  Section* m_reportHeader = nullptr;
  Section* m_pageHeader = nullptr;
  Section* m_detail = nullptr;
  Section* m_pageFooter = nullptr;
  Section* m_reportFooter = nullptr;
  std::vector<GroupHeader*> m_groups;
  std::vector<Section*> m_groupFooters;  // per group, nullptr when it has none
  std::vector<Variant> m_lastBreak;
  bool m_anyRecord = false;
  QHash<Field*, Variant> m_sums;

  PageSink* m_sink = nullptr;
  Page m_page;
  int m_pageCount = 0;
  Block m_flow;
  // A sub-report's page header: printed under its report header and again at the top of each page
  // its rows continue on.
  std::optional<Block> m_flowHeadings;
  int m_flowHeadingsEnd = 0;
  int m_y = 0;
  int m_bodyTop = 0;
  int m_bodyBottom = 0;
};

}  // namespace report
