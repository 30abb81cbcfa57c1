#include "tests/db/DbTestSupport.h"

#include "tests/support/TestEnv.h"

namespace dbtest {

namespace {

// Two customers (one with an apostrophe), two suppliers, two employees, units, categories, VAT codes,
// two articles, two templates, two job orders with quote lines and six cost rows on three days.
const char* const kSeed = R"SQL(BEGIN;
INSERT INTO CliFor (IdCliFor, Tipo, Nome, Località, Prov) VALUES
  (1, 'Cliente', 'Rossi Costruzioni', 'Milano', 'MI'),
  (2, 'Cliente', 'D''Angelo Srl', 'Bari', 'BA'),
  (3, 'Fornitore', 'Ferramenta Bianchi', 'Torino', 'TO'),
  (4, 'Fornitore', 'Elettro Verdi', 'Pisa', 'PI');
INSERT INTO Impiegati (CodImp, Cognome, Nome, Tariffa) VALUES
  (1, 'Neri', 'Paolo', 25), (2, 'Gallo', 'Anna', 30);
INSERT INTO Liste (Id, Chiave, Codice, Descrizione, Predefinito) VALUES
  (1, 'um', 'PZ', 'Pezzi', 1), (2, 'um', 'MT', 'Metri', 0), (3, 'um', 'KG', 'Chili', 0),
  (4, 'cat', NULL, 'Elettrico', 1), (5, 'cat', NULL, 'Idraulica', 0);
INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Esenzione, Aliquota, Predefinito) VALUES
  ('IVA22', 'Aliquota ordinaria', 0, 22, 1), ('IVA10', 'Aliquota ridotta', 0, 10, 0);
INSERT INTO Articoli (Codice, Descrizione, Costo, Ricarico, Prezzo, PrezzoIvato, Aliquota, DataIns,
                      Categoria, UM, IdFornitore, CodiceIVA) VALUES
  ('CAVO1', 'Cavo elettrico', 1.5, 66.6667, 2.5, 3.05, 0.55, '2024-01-10', 'Elettrico', 'MT', 3, 'IVA22'),
  ('PRESA', 'Presa schuko', 3, 66.6667, 5, 6.1, 1.1, '2024-01-11', 'Elettrico', 'PZ', 3, 'IVA22');
INSERT INTO PreModelli (IdModello, Descrizione) VALUES (1, 'Impianto elettrico'), (2, 'Modello vuoto');
INSERT INTO PreVoci (IdVocePre, IdModelloPre, Codice, Descrizione, DescEstesa, Ordine, UM, Tariffa) VALUES
  (1, 1, 'V01', 'Quadro', 'Quadro con interruttori', 1, 'PZ', 100),
  (2, 1, 'V02', 'Cablaggio', NULL, 2, 'MT', 3.5);
INSERT INTO Commesse (CodCom, IdCliente, IdModello, DesCom, Responsabile, DataInizio, DataFine, DataConPre,
                      DataConsegna, ScadenzaGaranzia, Prezzo, EcoTar, Chiusa, Consegnata, InGaranzia, Attiva) VALUES
  ('C001', 1, 1, 'Impianto uffici', 'Neri', '2024-03-01', '2024-03-01', '2024-04-01', '2024-03-01', '2024-03-01', 0, 40, 0, 0, 0, 1),
  ('C002', 1, NULL, 'Manutenzione', 'Gallo', '2024-02-01', '2024-02-20', '2024-02-15', '2024-02-20', '2026-02-20', 0, 35, 1, 1, 1, 1);
INSERT INTO CommessePre (IdVocePre, CodCom, Codice, Descrizione, Ordine, UM, Tariffa, QPrev, Quantita, Prezzo) VALUES
  (1, 'C001', 'V01', 'Quadro', 1, 'PZ', 100, 2, 2, 200),
  (2, 'C001', 'V02', 'Cablaggio', 2, 'MT', 3.5, 100, 100, 350),
  (3, 'C002', 'V01', 'Quadro', 1, 'PZ', 50, 1, 1, 50);
INSERT INTO Costi (IdCosto, Classe, Tipo, CodCom, InEconomia, IdStima, Data, CodImp, Codice, Descrizione, UM,
                   Quantita, CostoUnitario, Valore, PrezzoUnitario) VALUES
  (1, 0, NULL, 'C001', 0, 1, '2024-03-05', 1, NULL, 'Montaggio', NULL, 8, 25, 200, 40),
  (2, 0, NULL, 'C001', 1, NULL, '2024-03-05', 1, NULL, 'Assistenza', NULL, 2, 25, 50, 40),
  (3, 2, NULL, 'C001', 0, 2, '2024-03-06', NULL, 'CAVO1', 'Cavo elettrico', 'MT', 50, 1.5, 75, 2.5),
  (4, 3, 1, 'C001', 1, NULL, '2024-03-06', NULL, NULL, 'Trasporto', 'PZ', 1, 30.1, 30.1, 35),
  (5, 3, 99, 'C001', 0, 2, '2024-03-07', NULL, NULL, 'Varie', 'PZ', 1, 10, 10, 12),
  (6, 2, NULL, 'C002', 0, NULL, '2024-03-05', NULL, 'CAVO1', 'Cavo elettrico', 'MT', 10, 1.5, 15, 2.5);
INSERT INTO Attivita (CodAtt, Descrizione, TOMO, Bloccata) VALUES ('ATT1', 'Progettazione', 45, 0);
INSERT INTO _Pars (k01, k02, m01) VALUES ('gridlayout', 'gex_com', X'41004200'), ('gridlayout', 'gex_art', NULL);
COMMIT;
)SQL";

}  // namespace

QString seededDatabase() {
  const QString path = testenv::freshDatabase();
  testdb::exec(path, kSeed);
  return path;
}

void SeededDb::SetUp() {
  path = seededDatabase();
  conn.Open(testenv::connectionString(path));
}

}  // namespace dbtest
