#include <gtest/gtest.h>

#include <QRegularExpression>
#include <algorithm>

#include "platform/db/Connection.h"
#include "tests/report/ReportTestSupport.h"
#include "tests/support/TestEnv.h"

using namespace report;
using namespace reporttest;

namespace {

// The first item of a page showing `text`; an empty item when there is none.
PageItem itemOf(const Page& page, const QString& text) {
  for (const PageItem& item : page.items)
    if (item.text == text) return item;
  return PageItem();
}

// The texts of a page from top to bottom (left to right on one line).
QStringList textsDownThe(const Page& page) {
  std::vector<PageItem> texts;
  for (const PageItem& item : page.items)
    if (item.kind == PageItem::Kind::Text) texts.push_back(item);
  std::stable_sort(texts.begin(), texts.end(), [](const PageItem& a, const PageItem& b) {
    return std::pair(a.rect.top(), a.rect.left()) < std::pair(b.rect.top(), b.rect.left());
  });
  QStringList shown;
  for (const PageItem& item : texts) shown << item.text;
  return shown;
}

// One detail without data: a note that grows, a label whose top touches the note's bottom, a
// label hidden by the format step; a page footer.
class NoteSheet : public Report {
 public:
  NoteSheet() {
    Section& detail = addSection(SectionType::Detail, "Detail", 600);
    note = &detail.addField("txtNota", QRect(0, 0, 2000, 300), QString());
    detail.addLabel("lblSotto", QRect(0, 300, 2000, 255), "Sotto la nota");
    detail.addLabel("lblNascosta", QRect(2500, 0, 1500, 255), "Nascosta");
    addSection(SectionType::PageFooter, "PageFooter", 300)
        .addLabel("lblPiede", QRect(0, 0, 2000, 255), "Piede");
  }
  Field* note;

 protected:
  void Format(Section& section) override {
    if (section.type() != SectionType::Detail) return;
    note->setText(QString("Una nota che non sta su una riga sola ").repeated(6));
    section.controlAs<Label>("lblNascosta").setVisible(false);
  }
};

}  // namespace

TEST(ReportLayout, GrowthMovesWhatTouchesItHiddenLabelsStayOutAndLandscapeTurnsThePage) {
  NoteSheet r;
  r.pageSettings().orientation = QPageLayout::Landscape;
  r.Run();
  ASSERT_EQ(r.pages().size(), 1u);
  const Page& page = r.pages()[0];
  EXPECT_EQ(page.size, PageSettings().pageSize().transposed());
  const int foot = page.size.height() - r.pageSettings().bottomMargin;
  EXPECT_EQ(itemOf(page, "Piede").rect.top(), foot - 300) << "footer at the landscape page's foot";

  const PageItem note = itemOf(page, r.note->text());
  ASSERT_GT(note.rect.height(), 300);
  EXPECT_EQ(itemOf(page, "Sotto la nota").rect.top(), note.rect.top() + note.rect.height());
  EXPECT_FALSE(pageTexts(r.pages()).contains("Nascosta"));
}

namespace {

// Costs grouped by job order and, within it, by employee, each group closed by a footer; the
// detail shows the value and ticks the box of the rows billed by time; the report footer sums the
// values.
class CostGroups : public Report {
 public:
  CostGroups() {
    jobOrder = &addGroupHeader("ghCommessa", 300);
    jobOrder->addField("txtCodCom", QRect(0, 0, 1500, 255), "CodCom");
    employee = &addGroupHeader("ghImpiegato", 300);
    employee->addField("txtCognome", QRect(300, 0, 2000, 255), "Cognome");
    Section& detail = addSection(SectionType::Detail, "Detail", 270);
    detail.addField("txtValore", QRect(600, 0, 1500, 255), "Valore", "##,##0.00");
    detail.addCheckBox("chkEconomia", QRect(2200, 0, 300, 255), "InEconomia");
    addGroupFooter("gfImpiegato", 300, *employee)
        .addLabel("lblFineImp", QRect(300, 0, 2000, 255), "Fine impiegato");
    addGroupFooter("gfCommessa", 300, *jobOrder)
        .addLabel("lblFineCom", QRect(0, 0, 2000, 255), "Fine commessa");
    Section& footer = addSection(SectionType::ReportFooter, "ReportFooter", 300);
    footer.addField("txtTotale", QRect(600, 0, 1500, 255), "Valore", "##,##0.00")
        .setSummary(Field::Summary::GrandTotal);
  }
  GroupHeader* jobOrder;
  GroupHeader* employee;

 protected:
  void FetchData(bool eof) override {
    if (eof) return;
    jobOrder->setBreakValue(dc1.value("CodCom"));
    employee->setBreakValue(dc1.value("CodImp"));
  }
};

}  // namespace

TEST(ReportLayout, GroupFootersCloseInnermostFirstBoxesFollowTheirFieldAndTotalsStayMoney) {
  const QString path = seededDatabase(0);
  db::Connection c;
  c.Open(testenv::connectionString(path));
  c.Execute("UPDATE Costi SET InEconomia = True WHERE Valore = 50");
  c.Execute("UPDATE Costi SET CodImp = 2 WHERE Valore = 75");
  CostGroups r;
  r.dc1.setConnectionString(testenv::connectionString(path));
  r.dc1.setSource(
      "SELECT Costi.*, Impiegati.Cognome FROM Costi INNER JOIN Impiegati ON Costi.CodImp = Impiegati.CodImp "
      "ORDER BY CodCom, Costi.CodImp, Valore");
  r.Run();
  ASSERT_EQ(r.pages().size(), 1u);
  const QStringList expected{"C-01",           "Rossi",          "25,00",         "50,00",
                             "Fine impiegato", "Bianchi",        "75,00",         "Fine impiegato",
                             "Fine commessa",  "C-02",           "Bianchi",       "1.000,00",
                             "1.001,00",       "Fine impiegato", "Fine commessa", "2.151,00"};
  EXPECT_EQ(textsDownThe(r.pages()[0]), expected);

  std::vector<bool> ticks;
  for (const PageItem& item : r.pages()[0].items)
    if (item.kind == PageItem::Kind::Box) ticks.push_back(item.checked);
  EXPECT_EQ(ticks, (std::vector<bool>{false, true, false, false, false}));

  const PageItem total = itemOf(r.pages()[0], "2.151,00");
  EXPECT_EQ(total.value.type(), VarType::Currency);
  EXPECT_EQ(total.format, "##,##0.00");
}

namespace {

// A list of the costs of job order C-02 under the column title "Valori".
class ValueList : public Report {
 public:
  explicit ValueList(const QString& connectionString) {
    addSection(SectionType::PageHeader, "PageHeader", 300)
        .addLabel("lblValori", QRect(0, 0, 2000, 255), "Valori");
    addSection(SectionType::Detail, "Detail", 270)
        .addField("txtValore", QRect(200, 0, 1500, 255), "Valore", "##,##0.00");
    dc1.setConnectionString(connectionString);
    dc1.setSource("SELECT Valore FROM Costi WHERE CodCom = 'C-02' ORDER BY Valore");
  }
};

// A report without data whose detail holds `inner` at x = `left`, under a heading and above a
// closing text when given; as a sub-report its heading is that of its rows.
class Holder : public Report {
 public:
  Holder(int left, std::unique_ptr<Report> inner, const QString& heading,
         const QString& closing = QString()) {
    if (!heading.isEmpty())
      addSection(SectionType::PageHeader, "PageHeader", 300)
          .addLabel("lblTitolo", QRect(0, 0, 3000, 255), heading);
    addSection(SectionType::Detail, "Detail", 300)
        .addSubReport("SubReport1", QRect(left, 0, 6000, 300))
        .setReport(std::move(inner));
    if (!closing.isEmpty())
      addSection(SectionType::ReportFooter, "ReportFooter", 300)
          .addLabel("lblFine", QRect(0, 0, 2000, 255), closing);
  }
};

}  // namespace

// The values run over three pages inside two nested sub-reports: each page they continue on
// starts with both headings, the outer one first, each at its sub-report's place; what follows the
// sub-reports starts below their last row.
TEST(ReportLayout, ContinuedNestedSubReportsRepeatBothHeadingsInOrderAndTheNextSectionFollowsTheirRows) {
  const QString cs = testenv::connectionString(seededDatabase(0, 120));
  Holder r(1000, std::make_unique<Holder>(500, std::make_unique<ValueList>(cs), "Costi"), QString(), "Fine");
  r.Run();
  const Pages& pages = r.pages();
  ASSERT_EQ(pages.size(), 3u);
  const int left = r.pageSettings().leftMargin;
  const int top = r.pageSettings().topMargin;
  int rows = 0;
  for (const Page& page : pages) {
    const QStringList texts = textsDownThe(page);
    ASSERT_GE(texts.size(), 3);
    EXPECT_EQ(texts.mid(0, 2), QStringList({"Costi", "Valori"}));
    const PageItem outer = itemOf(page, "Costi");
    const PageItem inner = itemOf(page, "Valori");
    EXPECT_EQ(outer.rect.topLeft(), QPoint(left + 1000, top));
    EXPECT_EQ(inner.rect.topLeft(), QPoint(left + 1500, top + 300));
    const PageItem first = itemOf(page, texts[2]);
    EXPECT_EQ(first.rect.topLeft(), QPoint(left + 1700, top + 600)) << texts[2].toStdString();
    rows += int(texts.filter(QRegularExpression("^1\\.\\d{3},00$")).size());
  }
  EXPECT_EQ(rows, 120);
  const PageItem last = itemOf(pages.back(), "1.119,00");
  const PageItem end = itemOf(pages.back(), "Fine");
  EXPECT_EQ(end.rect.top(), last.rect.top() + 270);
  EXPECT_EQ(textsDownThe(pages.back()).last(), "Fine");
}
