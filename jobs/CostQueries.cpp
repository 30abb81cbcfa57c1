#include "jobs/CostQueries.h"

#include "core/Globals.h"
#include "core/comUtility.h"
#include "platform/db/Connection.h"
#include "platform/db/JetSql.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Format.h"

namespace costs {
namespace {

// Runs a query on a connection of its own and hands the rows to read.
template <class Read>
auto readRows(const QString& sql, Read read) {
  db::Connection cn;
  cn.Open(ConnString);
  db::Recordset rs;
  rs.Open(sql, cn, db::adOpenForwardOnly, db::adLockReadOnly, db::adCmdText);
  return read(rs);
}

Currency money(const Variant& value) { return Currency::fromDouble(NzNum(value, 0)).value_or(Currency()); }

}  // namespace

const QString unitsSql =
    QStringLiteral("SELECT Codice, Descrizione FROM Liste WHERE Chiave='um' ORDER BY Codice");
const QString categoriesSql = QStringLiteral("SELECT l01, s01 FROM _Pars WHERE k01='catcos' ORDER BY s01");
const QString employeesSql =
    QStringLiteral("SELECT CodImp, [Cognome] & ' ' & [Nome] AS Impiegato FROM Impiegati ORDER BY Cognome");
const QString articlesSql =
    QStringLiteral("SELECT Codice, Descrizione, Costo, Prezzo FROM Articoli ORDER BY Codice");

// The day is written with a four-digit year, so that no century is guessed.
QString daySql(const QString& jobCode, const QDate& day, CostClass costClass) {
  return "SELECT * FROM Costi WHERE CodCom=" + db::jetText(jobCode) +
         " AND Data=" + Format(Variant(day), QStringLiteral("\\#mm/dd/yyyy\\#")) +
         " AND Classe=" + QString::number(costClass);
}

QString quoteLinesSql(const QString& jobCode) {
  return "SELECT Codice, Descrizione, IdVocePre FROM CommessePre WHERE CodCom=" + db::jetText(jobCode) +
         " ORDER BY Codice";
}

std::optional<JobOrder> firstOpenJobOrder() {
  return readRows(
      QStringLiteral("SELECT CodCom, IdModello, EcoTar FROM Commesse WHERE Chiusa=False ORDER BY CodCom"),
      [](db::Recordset& rs) -> std::optional<JobOrder> {
        if (rs.isEOF()) return std::nullopt;
        return JobOrder{NzStr(rs.Value("CodCom"), QString()), money(rs.Value("EcoTar"))};
      });
}

bool jobOrderExists(const QString& jobCode) {
  return readRows("SELECT CodCom FROM Commesse WHERE CodCom=" + db::jetText(jobCode),
                  [](db::Recordset& rs) { return !rs.isEOF(); });
}

Currency jobOrderRate(const QString& jobCode) {
  return readRows("SELECT EcoTar FROM Commesse WHERE CodCom=" + db::jetText(jobCode),
                  [](db::Recordset& rs) { return rs.isEOF() ? Currency() : money(rs.Value("EcoTar")); });
}

Currency employeeRate(std::int32_t employeeId) {
  return readRows("SELECT Tariffa FROM Impiegati WHERE CodImp=" + QString::number(employeeId),
                  [](db::Recordset& rs) { return rs.isEOF() ? Currency() : money(rs.Value("Tariffa")); });
}

std::optional<Article> article(const QString& code) {
  return readRows("SELECT Costo, Prezzo, UM, Descrizione FROM Articoli WHERE Codice=" + db::jetText(code),
                  [](db::Recordset& rs) -> std::optional<Article> {
                    if (rs.isEOF()) return std::nullopt;
                    return Article{NzStr(rs.Value("UM"), QString()), money(rs.Value("Costo")),
                                   money(rs.Value("Prezzo")), NzStr(rs.Value("Descrizione"), QString())};
                  });
}

std::vector<ListItem> units() {
  return readRows(unitsSql, [](db::Recordset& rs) {
    std::vector<ListItem> items;
    for (; !rs.isEOF(); rs.MoveNext()) {
      const QString code = NzStr(rs.Value("Codice"), QString());
      items.push_back({Variant(code), code});
    }
    return items;
  });
}

std::vector<ListItem> categories() {
  return readRows(categoriesSql, [](db::Recordset& rs) {
    std::vector<ListItem> items;
    for (; !rs.isEOF(); rs.MoveNext()) items.push_back({rs.Value("l01"), NzStr(rs.Value("s01"), QString())});
    return items;
  });
}

std::optional<Currency> rowValue(const Variant& quantity, const Variant& unitCost) {
  return Currency::fromDouble(NzNum(quantity, 0) * NzNum(unitCost, 0));
}

}  // namespace costs
