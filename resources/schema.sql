-- The program's database: every table in the column order the windows rely on, the saved query
-- costi_prev_sum, the indexes the windows search by, and the categories of other costs.
-- Declared types carry the column's kind and size for the data layer: VARCHAR(n) text of n
-- characters, LONGTEXT notes, SMALLINT 16-bit, LONG 32-bit, DOUBLE, CURRENCY (4 decimals),
-- DATETIME (ISO text), BOOLEAN (0/1), BLOB bytes. AutoNumber keys are INTEGER PRIMARY KEY AUTOINCREMENT.

CREATE TABLE Commesse (
  CodCom           VARCHAR(20) COLLATE NOCASE NOT NULL PRIMARY KEY,
  IdCliente        LONG,
  IdModello        LONG,
  DesCom           VARCHAR(100) COLLATE NOCASE,
  Responsabile     VARCHAR(50) COLLATE NOCASE,
  DataInizio       DATETIME,
  DataFine         DATETIME,
  DataConPre       DATETIME,
  DataConsegna     DATETIME,
  ScadenzaGaranzia DATETIME,
  Prezzo           CURRENCY,
  EcoTar           CURRENCY,
  Chiusa           BOOLEAN NOT NULL DEFAULT 0,
  Consegnata       BOOLEAN NOT NULL DEFAULT 0,
  InGaranzia       BOOLEAN NOT NULL DEFAULT 0,
  Attiva           BOOLEAN NOT NULL DEFAULT 0,
  Note             LONGTEXT COLLATE NOCASE
);

CREATE TABLE CommessePre (
  IdVocePre    INTEGER PRIMARY KEY AUTOINCREMENT,
  CodCom       VARCHAR(20) COLLATE NOCASE,
  Codice       VARCHAR(20) COLLATE NOCASE,
  Descrizione  VARCHAR(255) COLLATE NOCASE,
  DescEstesa   LONGTEXT COLLATE NOCASE,
  Ordine       LONG,
  UM           VARCHAR(10) COLLATE NOCASE,
  Tariffa      CURRENCY,
  CostoStimato CURRENCY,
  QPrev        DOUBLE,
  Quantita     DOUBLE,
  Prezzo       CURRENCY
);

CREATE TABLE PreModelli (
  IdModello   INTEGER PRIMARY KEY AUTOINCREMENT,
  Descrizione VARCHAR(100) COLLATE NOCASE,
  Note        LONGTEXT COLLATE NOCASE
);

CREATE TABLE PreVoci (
  IdVocePre    INTEGER PRIMARY KEY AUTOINCREMENT,
  IdModelloPre LONG,
  Codice       VARCHAR(20) COLLATE NOCASE,
  Descrizione  VARCHAR(255) COLLATE NOCASE,
  DescEstesa   LONGTEXT COLLATE NOCASE,
  Ordine       LONG,
  UM           VARCHAR(10) COLLATE NOCASE,
  Tariffa      CURRENCY,
  CostoStimato CURRENCY
);

CREATE TABLE Costi (
  IdCosto        INTEGER PRIMARY KEY AUTOINCREMENT,
  Classe         SMALLINT,
  Tipo           LONG,
  Riga           LONG,
  CodCom         VARCHAR(20) COLLATE NOCASE,
  InEconomia     BOOLEAN NOT NULL DEFAULT 0,
  IdStima        LONG,
  Data           DATETIME,
  CodImp         LONG,
  CodMac         LONG,
  NumOre1        DOUBLE,
  NumMinuti1     DOUBLE,
  NumOre2        DOUBLE,
  NumMinuti2     DOUBLE,
  Ore            DOUBLE,
  NumOre         DOUBLE,
  NumMinuti      DOUBLE,
  Tariffa        CURRENCY,
  NumPezzi       DOUBLE,
  NumScarti      DOUBLE,
  Codice         VARCHAR(40) COLLATE NOCASE,
  Descrizione    VARCHAR(255) COLLATE NOCASE,
  UM             VARCHAR(10) COLLATE NOCASE,
  Quantita       DOUBLE,
  CostoUnitario  CURRENCY,
  Riferimenti    VARCHAR(50) COLLATE NOCASE,
  Valore         CURRENCY,
  PrezzoUnitario CURRENCY
);

CREATE TABLE CliFor (
  IdCliFor  INTEGER PRIMARY KEY AUTOINCREMENT,
  Tipo      VARCHAR(10) COLLATE NOCASE,
  Nome      VARCHAR(100) COLLATE NOCASE,
  Indirizzo VARCHAR(100) COLLATE NOCASE,
  CAP       VARCHAR(10) COLLATE NOCASE,
  Località  VARCHAR(50) COLLATE NOCASE,
  Prov      VARCHAR(5) COLLATE NOCASE,
  PIVA      VARCHAR(16) COLLATE NOCASE,
  Telefono  VARCHAR(30) COLLATE NOCASE,
  Cellulare VARCHAR(30) COLLATE NOCASE,
  Fax       VARCHAR(30) COLLATE NOCASE,
  Email     VARCHAR(100) COLLATE NOCASE,
  Note      LONGTEXT COLLATE NOCASE
);

CREATE TABLE Impiegati (
  CodImp  INTEGER PRIMARY KEY AUTOINCREMENT,
  Cognome VARCHAR(50) COLLATE NOCASE,
  Nome    VARCHAR(50) COLLATE NOCASE,
  Tariffa CURRENCY,
  Note    LONGTEXT COLLATE NOCASE
);

CREATE TABLE Articoli (
  Codice       VARCHAR(40) COLLATE NOCASE NOT NULL PRIMARY KEY,
  Descrizione  VARCHAR(50) COLLATE NOCASE,
  Costo        CURRENCY,
  Ricarico     DOUBLE,
  Note         LONGTEXT COLLATE NOCASE,
  PrezzoIvato  CURRENCY,
  Prezzo       CURRENCY,
  Aliquota     CURRENCY,
  CodiceArtFor VARCHAR(40) COLLATE NOCASE,
  DataIns      DATETIME,
  Categoria    VARCHAR(50) COLLATE NOCASE,
  UM           VARCHAR(10) COLLATE NOCASE,
  IdFornitore  LONG,
  CodiceIVA    VARCHAR(10) COLLATE NOCASE
);

CREATE TABLE Liste (
  Id          INTEGER PRIMARY KEY AUTOINCREMENT,
  Chiave      VARCHAR(10) COLLATE NOCASE,
  Codice      VARCHAR(10) COLLATE NOCASE,
  Descrizione VARCHAR(50) COLLATE NOCASE,
  Predefinito BOOLEAN NOT NULL DEFAULT 0
);

CREATE TABLE CodiciIVA (
  CodiceIVA   VARCHAR(10) COLLATE NOCASE NOT NULL PRIMARY KEY,
  Descrizione VARCHAR(50) COLLATE NOCASE,
  Esenzione   BOOLEAN NOT NULL DEFAULT 0,
  Aliquota    DOUBLE,
  Predefinito BOOLEAN NOT NULL DEFAULT 0
);

CREATE TABLE Attivita (
  CodAtt      VARCHAR(10) COLLATE NOCASE NOT NULL PRIMARY KEY,
  Descrizione VARCHAR(50) COLLATE NOCASE,
  TOMO        CURRENCY,
  Bloccata    BOOLEAN NOT NULL DEFAULT 0
);

CREATE TABLE _Pars (
  k01 VARCHAR(20) COLLATE NOCASE,
  k02 VARCHAR(50) COLLATE NOCASE,
  l01 LONG,
  s01 VARCHAR(100) COLLATE NOCASE,
  m01 BLOB
);

-- Amounts are fixed-point with 4 decimals: the total is rounded back to them, so that it is the
-- exact sum and not the sum of binary fractions.
CREATE VIEW costi_prev_sum AS
  SELECT IdStima, CodCom, Round(Sum(Valore), 4) AS CostoTotale FROM Costi GROUP BY IdStima, CodCom;

CREATE INDEX Commesse_IdCliente ON Commesse (IdCliente);
CREATE INDEX Commesse_IdModello ON Commesse (IdModello);
CREATE INDEX Commesse_Chiusa ON Commesse (Chiusa);
CREATE INDEX CommessePre_CodCom ON CommessePre (CodCom);
CREATE INDEX PreVoci_IdModelloPre ON PreVoci (IdModelloPre);
CREATE INDEX Costi_CodCom_Data ON Costi (CodCom, Data);
CREATE INDEX Costi_Data ON Costi (Data, Valore);
CREATE INDEX Costi_Codice ON Costi (Codice);
CREATE INDEX Costi_CodImp ON Costi (CodImp);
CREATE INDEX Costi_IdStima ON Costi (IdStima, CodCom, Valore);
CREATE INDEX CliFor_Tipo ON CliFor (Tipo);
CREATE INDEX Articoli_IdFornitore ON Articoli (IdFornitore);
CREATE INDEX Articoli_Categoria ON Articoli (Categoria);
CREATE INDEX Articoli_UM ON Articoli (UM);
CREATE INDEX Articoli_CodiceIVA ON Articoli (CodiceIVA);
CREATE INDEX Liste_Chiave ON Liste (Chiave);
CREATE INDEX Pars_k01_k02 ON _Pars (k01, k02);

INSERT INTO _Pars (k01, l01, s01) VALUES ('catcos', 1, 'Trasporti');
INSERT INTO _Pars (k01, l01, s01) VALUES ('catcos', 2, 'Noleggi');
INSERT INTO _Pars (k01, l01, s01) VALUES ('catcos', 3, 'Subappalti');
INSERT INTO _Pars (k01, l01, s01) VALUES ('catcos', 4, 'Consulenze');
INSERT INTO _Pars (k01, l01, s01) VALUES ('catcos', 5, 'Spese varie');
