#include "reports/ListLayout.h"

const QString ListLayout::AmountFormat = QStringLiteral("##,##0.00");

namespace {

constexpr int kTitleHeight = 280;
constexpr int kFullWidth = 9746;

void addColumn(report::Section& section, const auto& column, double fontSize, const QString& amountFormat) {
  using Kind = decltype(column.kind);
  const QRect rect(column.left, 0, column.width, 240);
  if (column.kind == Kind::Check) {
    section.addCheckBox(column.name, rect, column.dataField);
    return;
  }
  const QString format = column.kind == Kind::Number ? amountFormat
                         : column.kind == Kind::Date ? QStringLiteral("dd-mm-yyyy")
                                                     : QString();
  report::Field& field = section.addField(column.name, rect, column.dataField, format);
  field.style().pointSize = fontSize;
  if (column.kind == Kind::Number) {
    field.style().alignment = Qt::AlignRight;
    field.setCanGrow(false);
  }
}

}  // namespace

ListLayout::ListLayout(const QString& title, const std::vector<Heading>& headings,
                       const std::vector<Column>& columns) {
  report::Section& header =
      addSection(report::SectionType::ReportHeader, QStringLiteral("ReportHeader"), kTitleHeight);
  report::Label& caption = header.addLabel(QStringLiteral("lblTitolo"), QRect(0, 0, 6000, 260), title);
  caption.style().bold = true;
  // The headings are the page header, so that they head the rows again on every page they reach.
  report::Section& headingRow =
      addSection(report::SectionType::PageHeader, QStringLiteral("PageHeader"), RowHeight + 60);
  for (size_t i = 0; i < headings.size(); ++i) {
    const Heading& h = headings[i];
    report::Label& label = headingRow.addLabel(QStringLiteral("lblCol%1").arg(i + 1),
                                               QRect(h.left, 0, h.width, RowHeight), h.text);
    label.style().pointSize = FontSize;
    label.style().bold = true;
    if (h.right) label.style().alignment = Qt::AlignRight;
  }
  headingRow.addLine(QStringLiteral("linTitolo"), QPoint(0, RowHeight + 20),
                     QPoint(kFullWidth, RowHeight + 20), 10);
  report::Section& detail = addSection(report::SectionType::Detail, QStringLiteral("Detail"), RowHeight);
  for (const Column& c : columns) addColumn(detail, c, FontSize, AmountFormat);
}

void ListLayout::addTotals(const std::vector<Column>& columns) {
  report::Section& footer =
      addSection(report::SectionType::ReportFooter, QStringLiteral("ReportFooter"), RowHeight + 60);
  footer.addLine(QStringLiteral("linTotali"), QPoint(0, 20), QPoint(kFullWidth, 20), 10);
  report::Label& label =
      footer.addLabel(QStringLiteral("lblTotale"), QRect(0, 60, 1500, RowHeight), QStringLiteral("Totale"));
  label.style().pointSize = FontSize;
  label.style().bold = true;
  for (const Column& c : columns) {
    report::Field& field =
        footer.addField(c.name, QRect(c.left, 60, c.width, RowHeight), c.dataField, AmountFormat);
    field.setSummary(report::Field::Summary::GrandTotal);
    field.style().pointSize = FontSize;
    field.style().bold = true;
    field.style().alignment = Qt::AlignRight;
    field.setCanGrow(false);
  }
}
