#include "app/TabellaViste.h"

namespace {

const QString kCommesseConCliente = QStringLiteral(
    "SELECT Commesse.*, CliFor.Nome AS Cliente FROM Commesse LEFT JOIN CliFor ON "
    "Commesse.IdCliente = CliFor.IdCliFor");

}  // namespace

void RiempiTabellaViste(TabellaNodi& nodi) {
  nodi[0].Setta(0, "com", "Commesse", "Commessa", 4, QString(), "C");
  cSubNodi& filtri = nodi[0].SubNodi();
  filtri.Add(QString(), "Tutte le commesse", kCommesseConCliente);
  filtri.Add(QString(), "Commesse aperte", kCommesseConCliente + " WHERE Chiusa=False");
  filtri.Add(QString(), "Commesse chiuse", kCommesseConCliente + " WHERE Chiusa=True");

  nodi[1].Setta(0, "rpu", "Rapporti (Dati Reali)", "Rapporto (Dati Reali)", 4,
                "SELECT Costi.Data, Sum(Costi.Valore) AS TotValore From Costi GROUP BY Costi.Data",
                QString());
  nodi[2].Setta(1, "art", "Materiali", "Materiale (articolo)", 2,
                "SELECT Articoli.*, CliFor.Nome, CliFor.Località, CliFor.Prov FROM Articoli LEFT "
                "JOIN CliFor ON Articoli.IdFornitore = CliFor.IdCliFor ORDER BY Articoli.Codice",
                "M");
  nodi[3].Setta(1, "for", "Fornitori", "Fornitore", 3, "SELECT * FROM CliFor WHERE Tipo='Fornitore'",
                "F");
  nodi[4].Setta(1, "cli", "Clienti", "Cliente", 3, "SELECT * FROM CliFor WHERE Tipo='Cliente'", "C");
  nodi[5].Setta(1, "imp", "Impiegati", "Impiegato", 3, "SELECT * FROM Impiegati", "G");
  nodi[6].Setta(2, "adi", "Modelli Preventivo", "Modello Preventivo", 1, "SELECT * FROM PreModelli",
                "D");
  nodi[7].Setta(2, "cat", "Categorie Materiali", "Categoria Materiale", 1,
                "SELECT * FROM Liste WHERE Chiave='cat'", QString());
  nodi[8].Setta(2, "umi", "Unità di misura Articoli", "Unità di misura Articolo", 1,
                "SELECT * FROM Liste WHERE Chiave='um'", QString());
  nodi[9].Setta(2, "iva", "Codici Iva", "Codice Iva", 1, "SELECT * FROM CodiciIVA", "I");
}

int NodoPerLettera(const TabellaNodi& nodi, QChar lettera) {
  int trovato = -1;
  for (int i = 0; i < kNumNodi; ++i)
    if (nodi[i].mnuViewShorCut() == QString(lettera)) trovato = i;
  return trovato;
}
