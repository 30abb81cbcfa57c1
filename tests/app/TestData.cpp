#include "tests/app/TestData.h"

#include "core/Globals.h"
#include "platform/db/Connection.h"
#include "tests/support/TestEnv.h"

namespace testdata {

namespace {

const char* const kRows[] = {
    "INSERT INTO CliFor (IdCliFor, Tipo, Nome, Località) VALUES (1, 'Cliente', 'Rossi Mario', 'Padova')",
    "INSERT INTO CliFor (IdCliFor, Tipo, Nome, Località) VALUES (2, 'Cliente', 'Bianchi Srl', 'Verona')",
    "INSERT INTO CliFor (IdCliFor, Tipo, Nome, Località) VALUES (3, 'Cliente', 'D''Angelo Luca', 'Asti')",
    "INSERT INTO CliFor (IdCliFor, Tipo, Nome, Località) VALUES (4, 'Fornitore', 'Ferramenta Nord', 'Udine')",
    "INSERT INTO CliFor (IdCliFor, Tipo, Nome, Località) VALUES (5, 'Fornitore', 'Legnami Sud', 'Bari')",
    "INSERT INTO PreModelli (IdModello, Descrizione) VALUES (1, 'Cancello')",
    "INSERT INTO PreModelli (IdModello, Descrizione) VALUES (2, 'Ringhiera')",
    "INSERT INTO PreVoci (IdModelloPre, Codice, Descrizione) VALUES (2, 'V1', 'Montaggio')",
    "INSERT INTO PreVoci (IdModelloPre, Codice, Descrizione) VALUES (2, 'V2', 'Verniciatura')",
    "INSERT INTO PreVoci (IdModelloPre, Codice, Descrizione) VALUES (1, 'V1', 'Taglio')",
    "INSERT INTO Commesse (CodCom, IdCliente, IdModello, DesCom, Chiusa) VALUES ('C001', 1, 1, "
    "'Cancello scorrevole', False)",
    "INSERT INTO Commesse (CodCom, IdCliente, DesCom, Chiusa) VALUES ('C002', 1, 'Tettoia', True)",
    "INSERT INTO Commesse (CodCom, IdCliente, DesCom, Chiusa) VALUES ('C''03', 2, 'Scala', False)",
    "INSERT INTO CommessePre (CodCom, Codice, Descrizione) VALUES ('C001', 'V1', 'Taglio')",
    "INSERT INTO CommessePre (CodCom, Codice, Descrizione) VALUES ('C001', 'V2', 'Posa')",
    "INSERT INTO CommessePre (CodCom, Codice, Descrizione) VALUES ('C''03', 'V1', 'Taglio')",
    "INSERT INTO Impiegati (CodImp, Cognome, Nome) VALUES (1, 'Verdi', 'Anna')",
    "INSERT INTO Impiegati (CodImp, Cognome, Nome) VALUES (2, 'Neri', 'Paolo')",
    "INSERT INTO Costi (Classe, CodCom, Data, CodImp, Valore) VALUES (0, 'C001', #03/05/2024#, 1, 100)",
    "INSERT INTO Costi (Classe, CodCom, Data, Codice, Valore) VALUES (2, 'C001', #03/06/2024#, 'ART1', 50)",
    "INSERT INTO Costi (Classe, CodCom, Data, Valore) VALUES (3, 'C002', #03/05/2024#, 20)",
    "INSERT INTO Costi (Classe, CodCom, Data, Valore) VALUES (3, 'C''03', #03/07/2024#, 30)",
    "INSERT INTO Articoli (Codice, Descrizione, Categoria, UM, IdFornitore, CodiceIVA) VALUES "
    "('ART1', 'Tubo', 'Ferro', 'kg', 4, '22')",
    "INSERT INTO Articoli (Codice, Descrizione, Categoria, UM, CodiceIVA) VALUES "
    "('ART''2', 'Asse', 'Legno d''abete', 'm''', '10')",
    "INSERT INTO Liste (Chiave, Codice, Descrizione) VALUES ('cat', 'FE', 'Ferro')",
    "INSERT INTO Liste (Chiave, Codice, Descrizione) VALUES ('cat', 'LE', 'Legno d''abete')",
    "INSERT INTO Liste (Chiave, Codice, Descrizione) VALUES ('cat', 'VE', 'Vetro')",
    "INSERT INTO Liste (Chiave, Codice, Descrizione) VALUES ('um', 'kg', 'Chilogrammi')",
    "INSERT INTO Liste (Chiave, Codice, Descrizione) VALUES ('um', 'm''', 'Piedi')",
    "INSERT INTO Liste (Chiave, Codice, Descrizione) VALUES ('um', 'pz', 'Pezzi')",
    "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Aliquota) VALUES ('22', 'Ordinaria', 22)",
    "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Aliquota) VALUES ('10', 'Ridotta', 10)",
    "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Aliquota) VALUES ('4', 'Minima', 4)",
};

}  // namespace

QString createDatabase() {
  DBPath = testenv::freshDatabase();
  ConnString = testenv::connectionString(DBPath);
  db::Connection cn;
  cn.Open(ConnString);
  cn.BeginTrans();
  for (const char* row : kRows) cn.Execute(QString::fromUtf8(row));
  cn.CommitTrans();
  cn.Close();
  return DBPath;
}

}  // namespace testdata
