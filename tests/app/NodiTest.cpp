#include <gtest/gtest.h>

#include <stdexcept>

#include "app/ViewTable.h"

namespace {

TEST(SubNodi, EmptyByDefaultKeyedOrNotAndRefusingADuplicateKey) {
  cNodo node;
  EXPECT_EQ(node.SubNodi().Count(), 0);
  EXPECT_EQ(node.mnuGridEnable(), 123);

  cSubNodi& filters = node.SubNodi();
  filters.Add("k1", "Primo", "SELECT 1");
  filters.Add("k2", "Secondo", "SELECT 2", "chiave");
  EXPECT_THROW(filters.Add("k3", "Terzo", "SELECT 3", "CHIAVE"), std::invalid_argument);
  ASSERT_EQ(filters.Count(), 2);
  EXPECT_EQ(filters.Item(1).Descrizione(), "Primo");
  EXPECT_EQ(filters.Item("chiave").SQLString(), "SELECT 2");
  EXPECT_EQ(filters.Item(2).Chiave(), "k2");
  EXPECT_THROW(filters.Item(3), std::out_of_range);
  EXPECT_THROW(filters.Item("altra"), std::out_of_range);

  filters.Remove("chiave");
  filters.Add("k4", "Quarto", "SELECT 4", "chiave");
  filters.Remove(1);
  QStringList order;
  for (const cSubNodo& s : filters.NewEnum()) order << s.Descrizione();
  EXPECT_EQ(order, QStringList{"Quarto"});
}

TEST(ViewTable, TenViewsInThreeGroupsWithTheJobOrderFilters) {
  NodeTable nodes;
  fillViewTable(nodes);
  const QStringList codes = {"com", "rpu", "art", "for", "cli", "imp", "adi", "cat", "umi", "iva"};
  const int groups[] = {0, 0, 1, 1, 1, 1, 2, 2, 2, 2};
  for (int i = 0; i < kNodeCount; ++i) {
    EXPECT_EQ(nodes[i].Codice(), codes[i]);
    EXPECT_EQ(nodes[i].GroupIndex(), groups[i]);
    EXPECT_EQ(nodes[i].SubNodi().Count(), i == 0 ? 3 : 0) << i;
    EXPECT_EQ(nodes[i].SQLString().isEmpty(), i == 0) << i;
  }
  const QString base =
      "SELECT Commesse.*, CliFor.Nome AS Cliente FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = "
      "CliFor.IdCliFor";
  EXPECT_EQ(nodes[0].SubNodi().Item(1).SQLString(), base);
  EXPECT_EQ(nodes[0].SubNodi().Item(2).Descrizione(), "Commesse aperte");
  EXPECT_EQ(nodes[0].SubNodi().Item(2).SQLString(), base + " WHERE Chiusa=False");
  EXPECT_EQ(nodes[0].SubNodi().Item(3).SQLString(), base + " WHERE Chiusa=True");
}

TEST(ViewTable, TheLastViewWithALetterWins) {
  NodeTable nodes;
  fillViewTable(nodes);
  EXPECT_EQ(nodeForLetter(nodes, 'C'), 4);
  EXPECT_EQ(nodeForLetter(nodes, 'M'), 2);
  EXPECT_EQ(nodeForLetter(nodes, 'I'), 9);
  EXPECT_EQ(nodeForLetter(nodes, 'R'), -1);
}

}  // namespace
