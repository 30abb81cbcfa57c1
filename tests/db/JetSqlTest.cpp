#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/Recordset.h"
#include "tests/db/DbTestSupport.h"

using namespace db;

namespace {

Variant single(Connection& conn, const QString& jetSql) {
  Recordset rs;
  rs.Open(jetSql, conn);
  return rs.Value(0);
}

}  // namespace

TEST(JetSqlTranslation, DateLiteralsBecomeIsoTextWithTheTwoDigitYearWindow) {
  const struct {
    const char* jet;
    const char* sqlite;
  } cases[] = {
      {"Data=#03/05/24#", "Data='2024-03-05'"},
      {"Data=#12/31/99#", "Data='1999-12-31'"},
      {"Data=#01/01/29#", "Data='2029-01-01'"},
      {"Data=#01/01/30#", "Data='1930-01-01'"},
      {"Data=#3/5/2024#", "Data='2024-03-05'"},
      {"Data=#02/29/2028#", "Data='2028-02-29'"},
      {"Data>=#03/05/24 14:30#", "Data>='2024-03-05 14:30:00'"},
      {"Data=#03/05/24 00:00:00#", "Data='2024-03-05'"},
  };
  for (const auto& c : cases) EXPECT_EQ(translateJet(c.jet), c.sqlite) << c.jet;
  EXPECT_THROW(translateJet("Data=#13/05/24#"), DbError);
  EXPECT_THROW(translateJet("Data=#02/30/24#"), DbError);
  EXPECT_THROW(translateJet("Data=#03/05/24"), DbError);
}

TEST(JetSqlTranslation, StringLiteralsAreNeverTouched) {
  const QString jet =
      "SELECT * FROM CliFor WHERE Nome='#01/02/03# & True [x] IIf(a,b,c) DELETE * FROM ''q'''";
  EXPECT_EQ(translateJet(jet), jet);
  EXPECT_EQ(translateJet("SELECT \"D'Angelo\" AS N"), "SELECT 'D''Angelo' AS N")
      << "Jet's double-quoted text";
  EXPECT_EQ(jetText("D'Angelo"), "'D''Angelo'");
  EXPECT_THROW(translateJet("SELECT * FROM CliFor WHERE Nome='aperto"), DbError);
  EXPECT_THROW(translateJet("SELECT (1 FROM CliFor"), DbError);
  EXPECT_THROW(translateJet("SELECT 1) FROM CliFor"), DbError);
}

TEST(JetSqlTranslation, RewritesTheJetOnlySyntax) {
  EXPECT_EQ(translateJet("DELETE * FROM Costi WHERE CodCom='X'"), "DELETE FROM Costi WHERE CodCom='X'");
  EXPECT_EQ(translateJet("SELECT * FROM Costi"), "SELECT * FROM Costi");
  EXPECT_EQ(translateJet("SELECT * FROM [_Pars] WHERE [_Pars].k01='x' AND Chiusa=False OR Attiva=TRUE"),
            "SELECT * FROM \"_Pars\" WHERE \"_Pars\".k01='x' AND Chiusa=0 OR Attiva=1");
  EXPECT_EQ(translateJet("SELECT [True], T.False FROM T"), "SELECT \"True\", T.False FROM T")
      << "names that only look like the constants";
  EXPECT_EQ(translateJet("UPDATE Liste SET Liste.Predefinito = False WHERE Liste.Id<>7 AND Chiave='um'"),
            "UPDATE Liste SET Predefinito = 0 WHERE Liste.Id<>7 AND Chiave='um'");
  EXPECT_EQ(translateJet("IIf(IsNull([CostoTotale]),0,[CostoTotale])"),
            "(CASE WHEN ((\"CostoTotale\") IS NULL) THEN 0 ELSE \"CostoTotale\" END)");
  EXPECT_THROW(translateJet("SELECT IIf(a, b) FROM T"), DbError);
}

class JetSqlSemantics : public dbtest::SeededDb {};

TEST_F(JetSqlSemantics, ConcatenationTreatsNullAsEmptyTextAndBindsLooserThanArithmetic) {
  EXPECT_EQ(single(conn, "SELECT [Cognome] & ' ' & [Nome] AS X FROM Impiegati WHERE CodImp=1"),
            Variant("Neri Paolo"));
  EXPECT_EQ(single(conn, "SELECT Null & 'a' AS X"), Variant("a"));
  EXPECT_EQ(single(conn, "SELECT 'a' & Null & 'b' AS X"), Variant("ab"));
  EXPECT_TRUE(single(conn, "SELECT Null & Null AS X").isNull());
  EXPECT_EQ(single(conn, "SELECT 1 + 2 & 3 * 2 AS X"), Variant("36")) << "& comes after + and *";
  EXPECT_EQ(single(conn, "SELECT 'x' & 2.5 AS X"), Variant("x2.5"));
  EXPECT_EQ(single(conn, "SELECT 'x' & 1234567.89 AS X"), Variant("x1234567.89")) << "every digit is kept";
  conn.Execute("UPDATE Commesse SET Prezzo = 7654321.25 WHERE CodCom='C001'");
  EXPECT_EQ(single(conn, "SELECT 'Euro ' & Prezzo AS X FROM Commesse WHERE CodCom='C001'"),
            Variant("Euro 7654321.25"));
  EXPECT_EQ(single(conn, "SELECT IIf('a' & 'b' = 'ab', 'si', 'no') AS X"), Variant("si"));
  EXPECT_EQ(single(conn, "SELECT Count(*) AS N FROM CliFor WHERE Nome = 'rossi costruzioni'"),
            Variant(std::int32_t(1)))
      << "text columns compare without case, as in Jet";
}

TEST_F(JetSqlSemantics, IIfAndIsNullChooseOnNull) {
  Recordset rs;
  rs.Open(
      "SELECT IdCosto, IIf(IsNull([IdStima]), 'economia', 'voce ' & [IdStima]) AS Dove, "
      "IIf(InEconomia=True, Valore, 0) AS V FROM Costi WHERE CodCom='C001' ORDER BY IdCosto",
      conn);
  ASSERT_EQ(rs.RecordCount(), 5);
  EXPECT_EQ(rs.ValueAt(0, 1), Variant("voce 1"));
  EXPECT_EQ(rs.ValueAt(1, 1), Variant("economia"));
  EXPECT_EQ(rs.ValueAt(1, 2).toDouble(), 50.0);
  EXPECT_EQ(rs.ValueAt(0, 2).toDouble(), 0.0);
}

namespace {

// Switches the C library's number formatting to a locale with a decimal comma while it lives;
// nullptr when the machine has none of them.
class CommaLocale {
 public:
  CommaLocale() : m_saved(std::setlocale(LC_NUMERIC, nullptr)) {
    for (const char* name : {"it_IT.UTF-8", "it_IT.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"})
      if ((m_active = std::setlocale(LC_NUMERIC, name))) break;
  }
  ~CommaLocale() { std::setlocale(LC_NUMERIC, m_saved.c_str()); }
  bool active() const { return m_active != nullptr; }

 private:
  std::string m_saved;
  const char* m_active = nullptr;
};

}  // namespace

TEST_F(JetSqlSemantics, NumbersTurnIntoTextTheSameWayWhateverTheMachinesLocale) {
  CommaLocale comma;
  if (!comma.active())
    GTEST_SKIP() << "no locale with a decimal comma on this machine (scripts/setup makes it_IT.UTF-8)";
  EXPECT_EQ(single(conn, "SELECT 'x' & 2.5 AS X"), Variant("x2.5"));
  EXPECT_EQ(single(conn, "SELECT 1.25 & '|' & -0.001 & '|' & 1E+20 AS X"), Variant("1.25|-0.001|1e+20"));
  EXPECT_EQ(single(conn, "SELECT 'n' & (7.33 * 3) AS X"), Variant("n21.99"));
  Recordset rs;
  rs.Open("SELECT CAST('2.5' AS REAL) * 2 AS X", conn);
  EXPECT_EQ(rs.Value(0).toDouble(), 5.0);
}

TEST_F(JetSqlSemantics, DeepNestingIsRefusedWithAClearErrorInsteadOfOverflowingTheStack) {
  auto nested = [](int depth) {
    return "SELECT " + QString(depth, '(') + "1" + QString(depth, ')') + " AS X";
  };
  EXPECT_EQ(single(conn, nested(40)), Variant(std::int32_t(1)));
  for (int depth : {1001, 10000, 200000}) {
    try {
      translateJet(nested(depth));
      ADD_FAILURE() << depth << " levels were accepted";
    } catch (const DbError& e) {
      EXPECT_EQ(e.code(), DbError::SqlError);
      EXPECT_TRUE(e.description().contains("troppe parentesi annidate")) << e.description().toStdString();
    }
  }
  EXPECT_THROW(conn.Execute("DELETE * FROM Costi WHERE IdCosto=" + QString(100000, '(') + "1"), DbError);
  EXPECT_THROW(single(conn, nested(100000)), DbError);
}
