// The economic summary read from the database: the eight sums, the derived cells and the texts.
#include <gtest/gtest.h>

#include "core/Globals.h"
#include "jobs/DatiCommessa.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "tests/masterdata/FormTestSupport.h"

namespace {

class DatiCommessaTest : public FormTest {
 protected:
  // One cost row: class, billed by time, quantity, unit cost, unit sale price.
  void costo(const QString& cod, int classe, bool economia, double q, double costo, double prezzo) {
    exec(QStringLiteral("INSERT INTO Costi (CodCom, Classe, InEconomia, Quantita, CostoUnitario, PrezzoUnitario) "
                        "VALUES ('%1', %2, %3, %4, %5, %6)")
             .arg(QString(cod).replace('\'', "''"))
             .arg(classe)
             .arg(economia ? 1 : 0)
             .arg(q)
             .arg(costo)
             .arg(prezzo));
  }
  DatiCommessa leggi(const QString& cod) {
    db::Connection cn;
    cn.Open(ConnString);
    return DatiCommessa::LeggiConOre(cn, cod);
  }
  static QStringList testi(const DatiCommessa& d) {
    QStringList out;
    for (const auto& parte : d.V)
      for (const Currency v : parte) out << DatiCommessa::Testo(v);
    return out;
  }
};

TEST_F(DatiCommessaTest, SumsOnlyTheirOwnJobOrderAndPartAndComputeTheRest) {
  exec("INSERT INTO CommessePre (CodCom, Prezzo) VALUES ('C1', 600), ('C1', 400), ('C2', 9999)");
  costo("C1", 0, false, 8, 25, 0);   // labour, quoted: 200
  costo("C1", 0, true, 2, 25, 60);   // labour, by time: 50, sold 120
  costo("C1", 2, false, 10, 30, 0);  // materials, quoted: 300
  costo("C1", 3, false, 1, 0, 0);    // other costs, nothing
  costo("C2", 0, true, 100, 100, 100);
  const DatiCommessa d = leggi("C1");
  EXPECT_EQ(testi(d), QStringList({"1.000,00 ", "500,00 ", "200,00 ", "300,00 ", "0,00 ", "500,00 ",
                                   "120,00 ", "50,00 ", "50,00 ", "0,00 ", "0,00 ", "70,00 ",
                                   "1.120,00 ", "550,00 ", "250,00 ", "300,00 ", "0,00 ", "570,00 "}));
  EXPECT_EQ(DatiCommessa::Testo(d.OrePreventivo), "8,00 ");
  EXPECT_EQ(DatiCommessa::Testo(d.OreEconomia), "2,00 ");
}

TEST_F(DatiCommessaTest, LossEmptyJobOrderAndApostropheInTheCode) {
  costo("L'1", 2, false, 1.5, 1000.25, 0);  // 1.500,375 of materials and nothing sold
  costo("L'1", 0, true, 7.5, 0, 0);
  const DatiCommessa d = leggi("L'1");
  EXPECT_EQ(d.V[DatiCommessa::Totale][DatiCommessa::UtilePerdita], Currency::fromRaw(-15003750));
  EXPECT_EQ(DatiCommessa::Testo(d.V[DatiCommessa::Preventivo][DatiCommessa::UtilePerdita]), "-1.500,38 ");
  EXPECT_EQ(DatiCommessa::Testo(d.OreEconomia), "7,50 ");

  const DatiCommessa vuota = leggi("NESSUNA");
  for (const QString& t : testi(vuota)) EXPECT_EQ(t, "0,00 ");
  EXPECT_EQ(vuota.OrePreventivo, 0);
}

TEST_F(DatiCommessaTest, AmountsBeyondTheCurrencyRangeAreAnErrorNotAWrongFigure) {
  costo("BIG", 2, false, 1e15, 900000, 0);
  db::Connection cn;
  cn.Open(ConnString);
  EXPECT_THROW(DatiCommessa::Leggi(cn, "BIG"), db::DbError);
}

}  // namespace
