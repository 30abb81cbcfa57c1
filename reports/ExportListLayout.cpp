#include "reports/ExportListLayout.h"

ExportListLayout::ExportListLayout(const QString& titleLabel, const QString& titleCaption,
                                   const QString& titleLine, const std::vector<ListColumn>& columns,
                                   const QString& headingLine, const QStringList& oneLineFields)
    : ListReport(titleLabel, titleCaption, titleLine, columns, headingLine),
      m_headingLine(headingLine),
      m_oneLineFields(oneLineFields) {}

void ExportListLayout::Format(report::Section& section) {
  switch (section.type()) {
    case report::SectionType::ReportHeader:
    case report::SectionType::ReportFooter:
    case report::SectionType::PageFooter: section.setVisible(!ModoExport); break;
    case report::SectionType::PageHeader:
      section.setVisible(!ModoExport || pageNumber() == 1);
      section.control(m_headingLine)->setVisible(!ModoExport);
      break;
    case report::SectionType::Detail:
      for (const QString& name : m_oneLineFields)
        section.controlAs<report::Field>(name).setCanGrow(!ModoExport);
      break;
    default: break;
  }
}
