#include "reports/ListReport.h"

ListReport::ListReport(const QString& titleLabel, const QString& titleCaption, const QString& titleLine,
                       const std::vector<ListColumn>& columns, const QString& headingLine) {
  setPrintWidth(Width);
  report::Section& rh = addSection(report::SectionType::ReportHeader, QStringLiteral("ReportHeader"), 600);
  report::Label& title = rh.addLabel(titleLabel, QRect(0, 0, Width, 400), titleCaption);
  title.style().pointSize = 14;
  title.style().bold = true;
  rh.addLine(titleLine, QPoint(0, 460), QPoint(Width, 460), 20);

  report::Section& ph =
      addSection(report::SectionType::PageHeader, QStringLiteral("PageHeader"), RowHeight + 80);
  report::Section& detail = addSection(report::SectionType::Detail, QStringLiteral("Detail"), RowHeight);
  for (const ListColumn& c : columns) {
    const Qt::Alignment alignment = c.right ? Qt::AlignRight : Qt::AlignLeft;
    if (!c.label.isEmpty()) {
      report::Label& heading = ph.addLabel(c.label, QRect(c.left, 0, c.width, RowHeight), c.caption);
      heading.style().pointSize = FontSize;
      heading.style().bold = true;
      heading.style().alignment = alignment;
    }
    report::Field& field =
        detail.addField(c.field, QRect(c.left, 0, c.width, RowHeight), c.dataField, c.format);
    field.style().pointSize = FontSize;
    field.style().alignment = alignment;
  }
  ph.addLine(headingLine, QPoint(0, RowHeight + 30), QPoint(Width, RowHeight + 30), 15);

  addSection(report::SectionType::PageFooter, QStringLiteral("PageFooter"), 240);
  addSection(report::SectionType::ReportFooter, QStringLiteral("ReportFooter"), 240);
}
