#include <gtest/gtest.h>

#include <stdexcept>

#include "app/TabellaViste.h"

namespace {

TEST(SubNodi, EmptyByDefaultKeyedOrNotAndRefusingADuplicateKey) {
  cNodo nodo;
  EXPECT_EQ(nodo.SubNodi().Count(), 0);
  EXPECT_EQ(nodo.mnuGridEnable(), 123);

  cSubNodi& filtri = nodo.SubNodi();
  filtri.Add("k1", "Primo", "SELECT 1");
  filtri.Add("k2", "Secondo", "SELECT 2", "chiave");
  EXPECT_THROW(filtri.Add("k3", "Terzo", "SELECT 3", "CHIAVE"), std::invalid_argument);
  ASSERT_EQ(filtri.Count(), 2);
  EXPECT_EQ(filtri.Item(1).Descrizione(), "Primo");
  EXPECT_EQ(filtri.Item("chiave").SQLString(), "SELECT 2");
  EXPECT_EQ(filtri.Item(2).Chiave(), "k2");
  EXPECT_THROW(filtri.Item(3), std::out_of_range);
  EXPECT_THROW(filtri.Item("altra"), std::out_of_range);

  filtri.Remove("chiave");
  filtri.Add("k4", "Quarto", "SELECT 4", "chiave");
  filtri.Remove(1);
  QStringList ordine;
  for (const cSubNodo& s : filtri.NewEnum()) ordine << s.Descrizione();
  EXPECT_EQ(ordine, QStringList{"Quarto"});
}

TEST(TabellaViste, TenViewsInThreeGroupsWithTheJobOrderFilters) {
  TabellaNodi nodi;
  RiempiTabellaViste(nodi);
  const QStringList codici = {"com", "rpu", "art", "for", "cli", "imp", "adi", "cat", "umi", "iva"};
  const int gruppi[] = {0, 0, 1, 1, 1, 1, 2, 2, 2, 2};
  for (int i = 0; i < kNumNodi; ++i) {
    EXPECT_EQ(nodi[i].Codice(), codici[i]);
    EXPECT_EQ(nodi[i].GroupIndex(), gruppi[i]);
    EXPECT_EQ(nodi[i].SubNodi().Count(), i == 0 ? 3 : 0) << i;
    EXPECT_EQ(nodi[i].SQLString().isEmpty(), i == 0) << i;
  }
  const QString base =
      "SELECT Commesse.*, CliFor.Nome AS Cliente FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = "
      "CliFor.IdCliFor";
  EXPECT_EQ(nodi[0].SubNodi().Item(1).SQLString(), base);
  EXPECT_EQ(nodi[0].SubNodi().Item(2).Descrizione(), "Commesse aperte");
  EXPECT_EQ(nodi[0].SubNodi().Item(2).SQLString(), base + " WHERE Chiusa=False");
  EXPECT_EQ(nodi[0].SubNodi().Item(3).SQLString(), base + " WHERE Chiusa=True");
}

TEST(TabellaViste, TheLastViewWithALetterWins) {
  TabellaNodi nodi;
  RiempiTabellaViste(nodi);
  EXPECT_EQ(NodoPerLettera(nodi, 'C'), 4);
  EXPECT_EQ(NodoPerLettera(nodi, 'M'), 2);
  EXPECT_EQ(NodoPerLettera(nodi, 'I'), 9);
  EXPECT_EQ(NodoPerLettera(nodi, 'R'), -1);
}

}  // namespace
