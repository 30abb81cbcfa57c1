#include "app/ViewTable.h"

namespace {

const QString kJobOrdersWithCustomer = QStringLiteral(
    "SELECT Commesse.*, CliFor.Nome AS Cliente FROM Commesse LEFT JOIN CliFor ON "
    "Commesse.IdCliente = CliFor.IdCliFor");

}  // namespace

void fillViewTable(NodeTable& nodes) {
  nodes[0].Setta(0, "com", "Commesse", "Commessa", 4, QString(), "C");
  cSubNodi& filters = nodes[0].SubNodi();
  filters.Add(QString(), "Tutte le commesse", kJobOrdersWithCustomer);
  filters.Add(QString(), "Commesse aperte", kJobOrdersWithCustomer + " WHERE Chiusa=False");
  filters.Add(QString(), "Commesse chiuse", kJobOrdersWithCustomer + " WHERE Chiusa=True");

  nodes[1].Setta(0, "rpu", "Rapporti (Dati Reali)", "Rapporto (Dati Reali)", 4,
                 "SELECT Costi.Data, Sum(Costi.Valore) AS TotValore From Costi GROUP BY Costi.Data",
                 QString());
  nodes[2].Setta(1, "art", "Materiali", "Materiale (articolo)", 2,
                 "SELECT Articoli.*, CliFor.Nome, CliFor.Località, CliFor.Prov FROM Articoli LEFT "
                 "JOIN CliFor ON Articoli.IdFornitore = CliFor.IdCliFor ORDER BY Articoli.Codice",
                 "M");
  nodes[3].Setta(1, "for", "Fornitori", "Fornitore", 3, "SELECT * FROM CliFor WHERE Tipo='Fornitore'", "F");
  nodes[4].Setta(1, "cli", "Clienti", "Cliente", 3, "SELECT * FROM CliFor WHERE Tipo='Cliente'", "C");
  nodes[5].Setta(1, "imp", "Impiegati", "Impiegato", 3, "SELECT * FROM Impiegati", "G");
  nodes[6].Setta(2, "adi", "Modelli Preventivo", "Modello Preventivo", 1, "SELECT * FROM PreModelli", "D");
  nodes[7].Setta(2, "cat", "Categorie Materiali", "Categoria Materiale", 1,
                 "SELECT * FROM Liste WHERE Chiave='cat'", QString());
  nodes[8].Setta(2, "umi", "Unità di misura Articoli", "Unità di misura Articolo", 1,
                 "SELECT * FROM Liste WHERE Chiave='um'", QString());
  nodes[9].Setta(2, "iva", "Codici Iva", "Codice Iva", 1, "SELECT * FROM CodiciIVA", "I");
}

int nodeForLetter(const NodeTable& nodes, QChar letter) {
  int found = -1;
  for (int i = 0; i < kNodeCount; ++i)
    if (nodes[i].mnuViewShorCut() == QString(letter)) found = i;
  return found;
}
