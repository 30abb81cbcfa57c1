#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "platform/db/DbError.h"
#include "tests/grid/GridTestSupport.h"

namespace {

using gridtest::GridFixture;

QString missingLayoutFile() { return QStringLiteral("/nonexistent/gex_xxx.lyt"); }
QString missingDatabase() {
  return QStringLiteral(
      "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/nonexistent/coms.mdb;Persist Security Info=False");
}

class GridLayoutTest : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    testdb::exec(cn,
                 "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Aliquota) VALUES ('22', 'Ordinaria', 22)");
    testdb::exec(cn,
                 "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Aliquota, Esenzione) VALUES ('E', 'Esente', "
                 "0, True)");
  }

  // A grid on VAT codes with every kind of setting changed from its default.
  void shape() {
    bind("SELECT * FROM CodiciIVA");
    grid->column(1)->setCaption("Codice");
    grid->column(2)->setWidth(3000);
    grid->column(5)->setVisible(false);
    grid->column(4)->setFormat("0.00");
    grid->column(4)->setPosition(1);
    grid->column(2)->setCellStyle("SortedCol");
    grid->formatStyle("SortedCol").backColor = 0x80000018;
    grid->formatStyle("Default");
    grid->sortKeys().add(2, grid::Descending);
    grid->groups().add(3, grid::Ascending);
    QFont f("DejaVu Sans", 11);
    f.setBold(true);
    grid->setHeaderFont(f);
    grid->setGroupHeaderBackColor(0x00C0C0C0);
    grid->setGridLineStyle(grid::LineDots);
    grid->setRecordNavigator(true);
    grid->setRecordNavigatorString("riga:|/");
  }
};

TEST_F(GridLayoutTest, LayoutTextRoundTripRestoresEverySetting) {
  shape();
  const QString text = grid->layoutString();

  grid::GridEX other;
  other.loadLayoutString(text, true, connString);
  EXPECT_EQ(other.connectionString(), connString);
  other.setRecordSource("SELECT * FROM CodiciIVA");
  other.rebind();
  ASSERT_EQ(other.columnCount(), 5);
  EXPECT_EQ(other.column(1)->caption(), "Codice");
  EXPECT_EQ(other.column(2)->width(), 3000);
  EXPECT_FALSE(other.column(5)->visible());
  EXPECT_EQ(other.column(4)->format(), "0.00");
  EXPECT_EQ(other.column(4)->position(), 1);
  EXPECT_EQ(other.column(2)->cellStyle(), "SortedCol");
  EXPECT_EQ(other.formatStyle("SortedCol").backColor, std::optional<quint32>(0x80000018));
  EXPECT_TRUE(other.hasFormatStyle("Default"));
  ASSERT_EQ(other.sortKeys().count(), 1);
  EXPECT_EQ(other.sortKeys().item(1), (grid::SortKey{2, grid::Descending}));
  ASSERT_EQ(other.groups().count(), 1);
  EXPECT_EQ(other.groups().item(1).column, 3);
  EXPECT_EQ(other.headerFont().pointSize(), 11);
  EXPECT_TRUE(other.headerFont().bold());
  EXPECT_EQ(other.groupHeaderBackColor(), 0x00C0C0C0u);
  EXPECT_EQ(other.gridLineStyle(), grid::LineDots);
  EXPECT_EQ(other.recordNavigatorString(), "riga:|/");
  EXPECT_EQ(other.layoutString(), text);
  EXPECT_EQ(other.rowCount(), 4);  // two groups, one code each
  EXPECT_EQ(other.cellText(2, 4), "0,00");
}

TEST_F(GridLayoutTest, LayoutColumnsFindTheirFieldsByKey) {
  // A layout listing the fields in another order than the query.
  shape();
  const QString text = grid->layoutString();
  grid::GridEX other;
  other.loadLayoutString(text, true, connString);
  other.setRecordSource(
      "SELECT Predefinito, Esenzione, Aliquota, Descrizione, CodiceIVA FROM CodiciIVA WHERE CodiceIVA='22'");
  other.rebind();
  EXPECT_EQ(other.column(1)->key(), "CodiceIVA");
  other.groups().clear();
  other.setRow(1);
  EXPECT_EQ(other.value(1).toString(), "22");
  EXPECT_DOUBLE_EQ(other.value(4).toDouble(), 22.0);
}

// The layout text with its sort keys and groups replaced by columns given by number.
QString withKeysByNumber(const QString& layout, int sortColumn, int groupColumn) {
  QJsonObject root = QJsonDocument::fromJson(layout.toUtf8()).object();
  root["sortKeys"] = QJsonArray{QJsonObject{{"column", sortColumn}, {"order", -1}}};
  root["groups"] = QJsonArray{QJsonObject{{"column", groupColumn}, {"order", 1}}};
  return QString::fromUtf8(QJsonDocument(root).toJson());
}

TEST_F(GridLayoutTest, KeysByNumberReachTheLastColumnAndALoadShowsEveryGroupOpen) {
  bind("SELECT * FROM CodiciIVA");  // five columns; Esenzione (3) parts the two codes
  grid->groups().add(3, grid::Ascending);
  grid->collapseAll();
  ASSERT_EQ(grid->rowCount(), 2);

  grid->loadLayoutString(withKeysByNumber(grid->layoutString(false), 5, 3), false, QString());
  ASSERT_EQ(grid->sortKeys().count(), 1);
  EXPECT_EQ(grid->sortKeys().item(1), (grid::SortKey{5, grid::Descending}));
  ASSERT_EQ(grid->groups().count(), 1);
  EXPECT_EQ(grid->groups().item(1).column, 3);
  EXPECT_EQ(grid->rowCount(), 4) << "the groups the layout does not collapse show open";

  // Numbers count the layout's own columns when it brings them.
  grid::GridEX other;
  other.loadLayoutString(withKeysByNumber(grid->layoutString(true), 5, 3), true, connString);
  other.setRecordSource("SELECT * FROM CodiciIVA");
  other.rebind();
  EXPECT_EQ(other.sortKeys().item(1).column, 5);
  EXPECT_EQ(other.rowCount(), 4);
  EXPECT_THROW(other.loadLayoutString(withKeysByNumber(grid->layoutString(true), 6, 3), true, connString),
               grid::GridError);
}

TEST_F(GridLayoutTest, BadLayoutTextsAreRefusedAndChangeNothing) {
  shape();
  const QString before = grid->layoutString();
  const QStringList bad = {
      "{ not json",
      "[1,2]",
      "{\"columns\":[]}",
      "{\"gridLayout\":1,\"columns\":[{\"key\":\"A\"}],\"sortKeys\":[{\"column\":\"Nessuna\",\"order\":1}]}",
      "{\"gridLayout\":1,\"sortKeys\":[{\"column\":99}]}",
      "{\"gridLayout\":1,\"columns\":5}",
      "{\"gridLayout\":1,\"columns\":[1,2]}",
      "{\"gridLayout\":1,\"columns\":[{\"key\":\"A\",\"type\":9}]}",
      "{\"gridLayout\":1,\"groups\":{}}",
      "{\"gridLayout\":1,\"styles\":[]}",
      "{\"gridLayout\":1,\"styles\":{\"A\":{\"backColor\":\"&Hzz\"}}}",
      "{\"gridLayout\":1,\"backColor\":12}",
  };
  for (const QString& text : bad) {
    EXPECT_THROW(grid->loadLayoutString(text), grid::GridError) << text.toStdString();
    EXPECT_EQ(grid->layoutString(), before);
  }
  EXPECT_THROW(grid->loadLayoutFile(missingLayoutFile()), grid::GridError);
}

TEST_F(GridLayoutTest, MissingFieldIsReportedAndTheGridStillShowsTheRows) {
  shape();
  grid::GridEX other;
  QString text = grid->layoutString();
  text.replace("\"Descrizione\"", "\"Sparita\"");
  other.loadLayoutString(text, true, connString);
  other.setRecordSource("SELECT * FROM CodiciIVA");
  try {
    other.rebind();
    ADD_FAILURE() << "no error for the missing column";
  } catch (const grid::GridError& e) {
    EXPECT_TRUE(e.description().contains("Sparita"));
  }
  other.groups().clear();
  EXPECT_EQ(other.rowCount(), 2);
  EXPECT_TRUE(other.column("Sparita")->visible());
  EXPECT_TRUE(other.rowValue(1, 2).isNull());
  EXPECT_FALSE(other.column("Descrizione")->visible());

  // The same layout applied to a grid already bound.
  grid::GridEX bound;
  bound.setConnectionString(connString);
  bound.setRecordSource("SELECT * FROM CodiciIVA");
  bound.rebind();
  EXPECT_THROW(bound.loadLayoutString(text), grid::GridError);
  EXPECT_EQ(bound.column(1)->caption(), "Codice");
  EXPECT_EQ(bound.recordCount(), 2);
}

TEST_F(GridLayoutTest, FailingRecordSourceLeavesAnEmptyUsableGrid) {
  bind("SELECT * FROM CodiciIVA");
  grid->setRecordSource("SELECT * FROM TabellaCheNonEsiste");
  EXPECT_THROW(grid->rebind(), db::DbError);
  EXPECT_EQ(grid->rowCount(), 0);
  EXPECT_EQ(grid->recordCount(), 0);
  EXPECT_TRUE(grid->value(1).isNull());
  EXPECT_FALSE(grid->find(1, grid::FindBeginsWith, Variant("2")));
  grid->setRecordSource("SELECT * FROM CodiciIVA");
  grid->rebind();
  EXPECT_EQ(grid->rowCount(), 2);

  grid->setConnectionString(missingDatabase());
  EXPECT_THROW(grid->rebind(), db::DbError);
  EXPECT_EQ(grid->rowCount(), 0);
}

TEST_F(GridLayoutTest, LayoutWithoutColumnsKeepsTheGridColumns) {
  shape();
  const QString settingsOnly = grid->layoutString(false);
  grid::GridEX other;
  other.setConnectionString(connString);
  other.setRecordSource("SELECT * FROM CodiciIVA");
  other.rebind();
  other.loadLayoutString(settingsOnly, false);
  EXPECT_EQ(other.column(1)->caption(), "CodiceIVA");
  EXPECT_EQ(other.sortKeys().count(), 1);
  EXPECT_EQ(other.recordNavigatorString(), "riga:|/");
}

TEST_F(GridLayoutTest, LayoutAppliedWhileARowIsEditedWritesTheRowFirst) {
  bind("SELECT * FROM CodiciIVA");
  const QString layout = grid->layoutString();
  typeInCell(*grid, 1, 2, "Ordinaria 22");
  ASSERT_TRUE(grid->rowPending());
  grid->loadLayoutString(layout);
  EXPECT_FALSE(grid->rowPending());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM CodiciIVA WHERE CodiceIVA='22'").toString(),
            "Ordinaria 22");
  EXPECT_EQ(grid->rowCount(), 2);
}

}  // namespace
