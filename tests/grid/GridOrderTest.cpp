#include <QAbstractItemView>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include "tests/grid/GridTestSupport.h"

namespace {

using gridtest::GridFixture;

QStringList shownColumn(grid::GridEX& g, int column) {
  QStringList out;
  for (int r = 1; r <= g.rowCount(); ++r)
    out << (g.isGroupRow(r) ? QStringLiteral("#") : g.cellText(r, column));
  return out;
}

// Customers: Tipo (2), Nome (3), Località (6).
class GridOrderTest : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    const char* rows[][2] = {
        {"Rossi", "Milano"}, {"bianchi", "Roma"}, {"Verdi", "Milano"}, {"Bassi", "Roma"}, {"Neri", "Torino"}};
    for (auto& r : rows)
      testdb::exec(cn,
                   QStringLiteral("INSERT INTO CliFor (Tipo, Nome, Località) VALUES ('Cliente', '%1', '%2')")
                       .arg(r[0], r[1]));
    bind("SELECT * FROM CliFor");
  }
};

TEST_F(GridOrderTest, SortKeysOfSeveralLevelsIgnoreCaseAndKeepTheCurrentRecord) {
  grid->setRow(1);  // Rossi
  grid->sortKeys().add(6, grid::Ascending);
  grid->sortKeys().add(3, grid::Descending);
  EXPECT_EQ(shownColumn(*grid, 3), QStringList({"Verdi", "Rossi", "bianchi", "Bassi", "Neri"}));
  EXPECT_EQ(grid->row(), 2);
  EXPECT_EQ(grid->value(3).toString(), "Rossi");

  grid->sortKeys().clear();
  grid->sortKeys().add(3, grid::Ascending);
  EXPECT_EQ(shownColumn(*grid, 3), QStringList({"Bassi", "bianchi", "Neri", "Rossi", "Verdi"}));
  EXPECT_EQ(grid->sortKeys().count(), 1);
  EXPECT_EQ(grid->sortKeys().item(1).column, 3);

  testdb::exec(cn, "INSERT INTO CliFor (Tipo, Nome, Località) VALUES ('Cliente', 'Alberti', 'Roma')");
  grid->rebind();
  EXPECT_EQ(shownColumn(*grid, 3).first(), "Alberti");
}

TEST_F(GridOrderTest, TextsSortWithoutRegardToCaseAndAccentedLettersAfterPlainOnes) {
  testdb::exec(cn, "DELETE FROM CliFor");
  for (const char* name : {"Zeta", "éclair", "alfa", "ZETA", "Öhm", "Élite", "zeta srl", "Alfa"})
    testdb::exec(cn, QStringLiteral("INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', '%1')")
                         .arg(QString::fromUtf8(name)));
  grid->rebind();
  grid->sortKeys().add(3, grid::Ascending);
  EXPECT_EQ(shownColumn(*grid, 3),
            QStringList({"alfa", "Alfa", "Zeta", "ZETA", "zeta srl", "éclair", "Élite", "Öhm"}))
      << "names equal but for case keep the order they were read in";
  grid->sortKeys().clear();
  grid->sortKeys().add(3, grid::Descending);
  EXPECT_EQ(shownColumn(*grid, 3),
            QStringList({"Öhm", "Élite", "éclair", "zeta srl", "Zeta", "ZETA", "alfa", "Alfa"}));
}

// A hidden list (a drop-down) is put in order when it shows or is asked for its rows, as a shown
// one is; a query that reads the rows almost in the grid's order still gets the grid's order.
TEST_F(GridOrderTest, AHiddenListShowsItsRowsInOrderAndKeepsItsRowNumber) {
  for (const char* name : {"éclair", "Élite", "alfa"})
    testdb::exec(cn, QStringLiteral("INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', '%1')")
                         .arg(QString::fromUtf8(name)));
  grid->sortKeys().add(3, grid::Ascending);
  grid->setRow(3);
  grid->hide();
  grid->setRecordSource("SELECT * FROM CliFor ORDER BY Nome");
  grid->rebind();
  const QStringList expected = {"alfa", "Bassi", "bianchi", "Neri", "Rossi", "Verdi", "éclair", "Élite"};
  EXPECT_EQ(shownColumn(*grid, 3), expected);
  EXPECT_EQ(grid->row(), 3);

  testdb::exec(cn, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Alberti')");
  grid->rebind();
  grid->show();
  const QAbstractItemModel* model = qobject_cast<QAbstractItemView*>(grid->view())->model();
  QStringList shown;
  for (int r = 0; r < model->rowCount(); ++r) shown << model->index(r, 2).data().toString();
  EXPECT_EQ(shown, QStringList(
                       {"Alberti", "alfa", "Bassi", "bianchi", "Neri", "Rossi", "Verdi", "éclair", "Élite"}));
  EXPECT_EQ(grid->row(), 3);
}

TEST_F(GridOrderTest, EqualKeysKeepTheReadOrderOnLongLists) {
  // Forty rows in three towns, read in the order of their names: a sort by town keeps that order
  // within each town, both ways (a list this long is not sorted by insertion).
  testdb::exec(cn, "DELETE FROM CliFor");
  const QStringList towns = {"Roma", "milano", "Torino", "Milano", "roma"};
  QStringList expectedUp[3], expectedDown[3];
  QStringList values;
  for (int i = 0; i < 40; ++i) {
    const QString name = QStringLiteral("N%1").arg(i, 2, 10, QChar('0'));
    const QString town = towns[i * 7 % towns.size()];
    values << QStringLiteral("('Cliente', '%1', '%2')").arg(name, town);
    const int rank = QStringList{"milano", "roma", "torino"}.indexOf(town.toLower());
    expectedUp[rank] << name;
    expectedDown[2 - rank] << name;
  }
  testdb::exec(dbPath, "INSERT INTO CliFor (Tipo, Nome, Località) VALUES " + values.join(", "));
  bind("SELECT * FROM CliFor ORDER BY Nome");
  grid->sortKeys().add(6, grid::Ascending);
  EXPECT_EQ(shownColumn(*grid, 3), expectedUp[0] + expectedUp[1] + expectedUp[2]);
  grid->sortKeys().clear();
  grid->sortKeys().add(6, grid::Descending);
  EXPECT_EQ(shownColumn(*grid, 3), expectedDown[0] + expectedDown[1] + expectedDown[2]);
}

TEST_F(GridOrderTest, FindEqualOnAValueListColumnComparesItsTextsWithoutCase) {
  grid->sortKeys().add(3, grid::Ascending);  // Bassi bianchi Neri Rossi Verdi
  grid->column(6)->valueList().add(Variant("Milano"), "Meneghina");
  grid->column(6)->valueList().add(Variant("Roma"), "Capitale");
  EXPECT_EQ(grid->cellText(4, 6), "Meneghina");
  EXPECT_TRUE(grid->find(6, grid::FindEqual, Variant("MENEGHINA")));
  EXPECT_EQ(grid->value(3).toString(), "Rossi");
  EXPECT_TRUE(grid->find(6, grid::FindEqual, Variant("capitale"), grid->rowCount() + 1, -1));
  EXPECT_EQ(grid->value(3).toString(), "bianchi");
  EXPECT_TRUE(grid->find(6, grid::FindEqual, Variant("torino")));
  EXPECT_EQ(grid->value(3).toString(), "Neri") << "a value the list does not carry is found as it is";
  EXPECT_FALSE(grid->find(6, grid::FindEqual, Variant("Capital")));
  EXPECT_EQ(grid->value(3).toString(), "Neri");
}

TEST_F(GridOrderTest, GroupsShowCaptionsAndCountsAndCollapse) {
  grid->groups().add(6, grid::Ascending);
  grid->sortKeys().add(3, grid::Ascending);
  EXPECT_EQ(shownColumn(*grid, 3),
            QStringList({"#", "Rossi", "Verdi", "#", "Bassi", "bianchi", "#", "Neri"}));
  EXPECT_TRUE(grid->isGroupRow(1));
  EXPECT_FALSE(grid->isGroupRow(2));
  auto* view = qobject_cast<QAbstractItemView*>(grid->view());
  EXPECT_TRUE(view->model()->index(3, 2).data().toString().contains("Località: Roma (2)") ||
              view->model()->index(3, 0).data().toString().contains("Località: Roma (2)"));

  grid->collapseAll(true);
  EXPECT_EQ(grid->rowCount(), 3);
  grid->setRow(2);
  EXPECT_TRUE(grid->isGroupRow());
  QTest::keyClick(grid->view(), Qt::Key_Right);
  EXPECT_EQ(shownColumn(*grid, 3), QStringList({"#", "#", "Bassi", "bianchi", "#"}));
  grid->expandAll();
  EXPECT_EQ(grid->rowCount(), 8);

  // Two levels: the inner groups sit under the outer one.
  grid->groups().add(2, grid::Ascending);
  EXPECT_EQ(shownColumn(*grid, 3),
            QStringList({"#", "#", "Rossi", "Verdi", "#", "#", "Bassi", "bianchi", "#", "#", "Neri"}));
  grid->groups().clear();
  EXPECT_EQ(grid->rowCount(), 5);
}

TEST_F(GridOrderTest, FindForwardsBackwardsAndEqual) {
  grid->sortKeys().add(3, grid::Ascending);  // Bassi bianchi Neri Rossi Verdi
  EXPECT_TRUE(grid->find(3, grid::FindBeginsWith, Variant("b")));
  EXPECT_EQ(grid->row(), 1);
  EXPECT_TRUE(grid->find(3, grid::FindBeginsWith, Variant("BI")));
  EXPECT_EQ(grid->row(), 2);
  EXPECT_TRUE(grid->find(3, grid::FindBeginsWith, Variant("b"), grid->rowCount() + 1, -1));
  EXPECT_EQ(grid->row(), 2);
  EXPECT_FALSE(grid->find(3, grid::FindBeginsWith, Variant("z")));
  EXPECT_EQ(grid->row(), 2);
  EXPECT_TRUE(grid->find(3, grid::FindEqual, Variant("neri")));
  EXPECT_EQ(grid->row(), 3);
  EXPECT_FALSE(grid->find(3, grid::FindEqual, Variant("Ner")));
  EXPECT_TRUE(grid->find(1, grid::FindEqual, Variant(4)));
  EXPECT_EQ(grid->value(3).toString(), "Bassi");
}

TEST_F(GridOrderTest, FindReachesRowsUnderCollapsedGroupsAndOpensThem) {
  grid->groups().add(6, grid::Ascending);  // Milano, Roma, Torino
  grid->sortKeys().add(3, grid::Ascending);
  grid->collapseAll();
  ASSERT_EQ(grid->rowCount(), 3);

  EXPECT_TRUE(grid->find(3, grid::FindBeginsWith, Variant("bi")));
  EXPECT_EQ(grid->value(3).toString(), "bianchi");
  EXPECT_EQ(shownColumn(*grid, 3), QStringList({"#", "#", "Bassi", "bianchi", "#"}));

  grid->collapseAll();
  EXPECT_TRUE(grid->find(3, grid::FindBeginsWith, Variant("n"), grid->rowCount() + 1, -1));
  EXPECT_EQ(grid->value(3).toString(), "Neri");
  EXPECT_TRUE(grid->find(3, grid::FindEqual, Variant("verdi"), grid->row(), -1));
  EXPECT_EQ(grid->value(3).toString(), "Verdi");
  EXPECT_EQ(grid->rowCount(), 6);
  EXPECT_FALSE(grid->find(3, grid::FindBeginsWith, Variant("z")));
  EXPECT_EQ(grid->value(3).toString(), "Verdi");
}

TEST_F(GridOrderTest, FindReadsFormattedTextsAndSeesWrittenChanges) {
  grid::GridEX jobs;
  jobs.setConnectionString(connString);
  testdb::exec(cn, "INSERT INTO Commesse (CodCom, DataInizio, Prezzo) VALUES ('A', #03/05/24#, 1234.5)");
  testdb::exec(cn, "INSERT INTO Commesse (CodCom, DataInizio, Prezzo) VALUES ('B', #12/31/24#, 10)");
  jobs.setRecordSource("SELECT * FROM Commesse ORDER BY CodCom");
  jobs.rebind();
  const int start = jobs.column("DataInizio")->index();
  const int price = jobs.column("Prezzo")->index();
  jobs.column(start)->setFormat("dd-mm-yyyy");
  jobs.column(price)->setFormat("#,##0.00");
  EXPECT_TRUE(jobs.find(start, grid::FindBeginsWith, Variant("31-12")));
  EXPECT_EQ(jobs.row(), 2);
  EXPECT_TRUE(jobs.find(price, grid::FindBeginsWith, Variant("1.234,5")));
  EXPECT_EQ(jobs.row(), 1);

  jobs.setValue(start, Variant(QDate(2025, 1, 31)));
  EXPECT_TRUE(jobs.find(start, grid::FindBeginsWith, Variant("31-01")));  // the row being edited
  ASSERT_TRUE(jobs.updateRow());
  EXPECT_FALSE(jobs.find(start, grid::FindBeginsWith, Variant("05-03")));
  jobs.setRow(2);
  EXPECT_TRUE(jobs.find(start, grid::FindBeginsWith, Variant("31-01-2025")));
  EXPECT_EQ(jobs.row(), 1);
  jobs.column(start)->setFormat("yyyy");
  EXPECT_TRUE(jobs.find(start, grid::FindEqual, Variant("2024")));
  EXPECT_EQ(jobs.row(), 2);
}

TEST_F(GridOrderTest, HeaderClickAndCurrentRowEventsReachTheOwner) {
  std::vector<int> headers;
  int changes = 0;
  QObject::connect(grid.get(), &grid::GridEX::columnHeaderClick, [&](int c) { headers.push_back(c); });
  QObject::connect(grid.get(), &grid::GridEX::rowColChange, [&](int, int) { ++changes; });
  auto* view = qobject_cast<QAbstractItemView*>(grid->view());
  auto* table = qobject_cast<QTableView*>(view);
  ASSERT_NE(table, nullptr);
  QHeaderView* header = table->horizontalHeader();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
  EXPECT_EQ(headers, std::vector<int>({3}));
  const int before = changes;
  grid->setRow(3);
  EXPECT_GT(changes, before);
}

}  // namespace
