#include "bench/data/Generator.h"

#include <sqlite3.h>

#include <QDate>
#include <QFileInfo>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/data/GeneratorWords.h"
#include "platform/runtime/Currency.h"

namespace benchdata {

namespace {

constexpr std::uint64_t kSeed = 20240305;

[[noreturn]] void fail(sqlite3* db, const std::string& what) {
  throw std::runtime_error("Generazione dei dati non riuscita: " + what + " (" + sqlite3_errmsg(db) + ")");
}

int scaledCount(int count, double scale) {
  return count <= 0 ? 0 : std::max(1, int(std::lround(count * scale)));
}

// Money as the program stores it: rounded to four decimals, halves to the even digit.
double money(double value) { return Currency::fromDouble(value).value_or(Currency()).toDouble(); }

// A code made of a prefix and a zero-padded number: numbered("ART", 5, 12) is "ART00012".
std::string numbered(const char* prefix, int width, long long number) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%0*lld", prefix, width, number);
  return text;
}

std::string isoDate(const QDate& d) {
  char text[11];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year(), d.month(), d.day());
  return text;
}

// One prepared INSERT, filled column by column and run.
class Insert {
 public:
  Insert(sqlite3* db, const char* sql) : m_db(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &m_statement, nullptr) != SQLITE_OK) fail(db, sql);
  }
  ~Insert() { sqlite3_finalize(m_statement); }
  Insert(const Insert&) = delete;
  Insert& operator=(const Insert&) = delete;

  Insert& text(const std::string& value) {
    sqlite3_bind_text(m_statement, ++m_column, value.data(), int(value.size()), SQLITE_TRANSIENT);
    return *this;
  }
  Insert& integer(std::int64_t value) {
    sqlite3_bind_int64(m_statement, ++m_column, value);
    return *this;
  }
  Insert& real(double value) {
    sqlite3_bind_double(m_statement, ++m_column, value);
    return *this;
  }
  Insert& date(const QDate& value) { return text(isoDate(value)); }
  Insert& null() {
    sqlite3_bind_null(m_statement, ++m_column);
    return *this;
  }
  // Runs the statement and returns the new row's rowid.
  std::int64_t run() {
    if (sqlite3_step(m_statement) != SQLITE_DONE) fail(m_db, sqlite3_sql(m_statement));
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    m_column = 0;
    return sqlite3_last_insert_rowid(m_db);
  }

 private:
  sqlite3* m_db;
  sqlite3_stmt* m_statement = nullptr;
  int m_column = 0;
};

struct Article {
  std::string code, description, unit;
  double cost, price;
};

struct Job {
  std::string code;
  QDate start, end;
  double rate;
  std::vector<std::int64_t> quoteLines;
};

class Generator {
 public:
  Generator(sqlite3* db, const GeneratorSizes& sizes) : m_db(db), m_sizes(sizes), m_random(kSeed) {}

  void run() {
    lists();
    people();
    articles();
    templates();
    jobOrders();
    costs();
    activities();
  }

 private:
  std::string personName() {
    return std::string(m_random.pick(surnames())) + " " + m_random.pick(givenNames());
  }

  std::string phone(const char* prefix) {
    return numbered((std::string(prefix) + " ").c_str(), 7, m_random.between(1000000, 9999999));
  }

  void lists() {
    Insert list(m_db, "INSERT INTO Liste (Chiave, Codice, Descrizione, Predefinito) VALUES (?, ?, ?, ?)");
    bool first = true;
    for (const Unit& u : units()) {
      list.text("um").text(u.code).text(u.description).integer(first ? 1 : 0).run();
      first = false;
    }
    first = true;
    for (const char* category : categories()) {
      list.text("cat").null().text(category).integer(first ? 1 : 0).run();
      first = false;
    }
    Insert vat(m_db,
               "INSERT INTO CodiciIVA (CodiceIVA, Descrizione, Esenzione, Aliquota, Predefinito) "
               "VALUES (?, ?, ?, ?, ?)");
    first = true;
    for (const VatCode& v : vatCodes()) {
      vat.text(v.code)
          .text(v.description)
          .integer(v.exempt ? 1 : 0)
          .real(v.rate)
          .integer(first ? 1 : 0)
          .run();
      first = false;
    }
  }

  void people() {
    Insert party(m_db,
                 "INSERT INTO CliFor (Tipo, Nome, Indirizzo, CAP, Località, Prov, PIVA, Telefono, "
                 "Cellulare, Fax, Email, Note) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < m_sizes.customers + m_sizes.suppliers; ++i) {
      const bool customer = i < m_sizes.customers;
      const Town& town = m_random.pick(towns());
      const std::string name =
          m_random.chance(0.3) ? personName()
                               : std::string(m_random.pick(surnames())) + " " + m_random.pick(companyForms());
      const std::string vatNumber = numbered("", 11, (long long)(m_random.next() % 100000000000ULL));
      std::string mail;
      for (char c : name)
        if (c >= 'a' && c <= 'z')
          mail += c;
        else if (c >= 'A' && c <= 'Z')
          mail += char(c - 'A' + 'a');
      party.text(customer ? "Cliente" : "Fornitore")
          .text(name)
          .text(std::string(m_random.pick(streets())) + ", " + std::to_string(m_random.between(1, 180)))
          .text(town.cap)
          .text(town.name)
          .text(town.province)
          .text(vatNumber)
          .text(phone("02"))
          .text(phone("347"));
      if (m_random.chance(0.5))
        party.text(phone("02"));
      else
        party.null();
      party.text(mail.substr(0, 40) + "@example.it");
      if (m_random.chance(0.1))
        party.text("Pagamento a 60 giorni");
      else
        party.null();
      const std::int64_t id = party.run();
      (customer ? m_customers : m_suppliers).push_back(id);
    }
    Insert employee(m_db, "INSERT INTO Impiegati (Cognome, Nome, Tariffa) VALUES (?, ?, ?)");
    for (int i = 0; i < m_sizes.employees; ++i) {
      const double rate = money(m_random.between(18, 45) + m_random.between(0, 3) * 0.25);
      m_employeeRates.push_back(rate);
      m_employees.push_back(
          employee.text(m_random.pick(surnames())).text(m_random.pick(givenNames())).real(rate).run());
    }
  }

  void articles() {
    Insert article(m_db,
                   "INSERT INTO Articoli (Codice, Descrizione, Costo, Ricarico, Note, PrezzoIvato, Prezzo, "
                   "Aliquota, CodiceArtFor, DataIns, Categoria, UM, IdFornitore, CodiceIVA) "
                   "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < m_sizes.articles; ++i) {
      Article a;
      a.code = numbered("ART", 5, i + 1);
      a.description = std::string(m_random.pick(articleNouns())) + " " + m_random.pick(articleDetails());
      a.unit = m_random.pick(units()).code;
      a.cost = money(m_random.between(0.2, 400.0));
      const double markUp = m_random.between(15, 80);
      a.price = money(a.cost * (1 + markUp / 100));
      const VatCode& vat = m_random.pick(vatCodes());
      const double tax = money(a.price * vat.rate / 100);
      article.text(a.code)
          .text(a.description.substr(0, 50))
          .real(a.cost)
          .real(markUp)
          .null()
          .real(money(a.price + tax))
          .real(a.price)
          .real(tax);
      article.text(numbered("F", 6, m_random.between(1, 999999)))
          .date(QDate(2019, 1, 1).addDays(m_random.between(0, 2000)));
      article.text(m_random.pick(categories())).text(a.unit);
      if (m_suppliers.empty() || m_random.chance(0.1))
        article.null();
      else
        article.integer(m_random.pick(std::span<const std::int64_t>(m_suppliers)));
      article.text(vat.code).run();
      m_articles.push_back(std::move(a));
    }
  }

  void templates() {
    Insert model(m_db, "INSERT INTO PreModelli (Descrizione) VALUES (?)");
    Insert line(m_db,
                "INSERT INTO PreVoci (IdModelloPre, Codice, Descrizione, DescEstesa, Ordine, UM, Tariffa) "
                "VALUES (?, ?, ?, ?, ?, ?, ?)");
    for (int t = 0; t < m_sizes.templates; ++t) {
      const std::string name = std::string(m_random.pick(jobKinds())) + " - modello " + std::to_string(t + 1);
      const std::int64_t id = model.text(name).run();
      m_templates.push_back(id);
      for (int l = 0; l < m_sizes.linesPerTemplate; ++l) {
        const std::string task = m_random.pick(labourTasks());
        line.integer(id).text(numbered("V", 2, l + 1)).text(task + " " + m_random.pick(articleNouns()));
        if (m_random.chance(0.3))
          line.text("Comprensivo di materiale e manodopera.");
        else
          line.null();
        line.integer(l + 1).text(m_random.pick(units()).code).real(money(m_random.between(5.0, 900.0))).run();
      }
    }
  }

  void jobOrders() {
    Insert job(
        m_db,
        "INSERT INTO Commesse (CodCom, IdCliente, IdModello, DesCom, Responsabile, DataInizio, DataFine, "
        "DataConPre, DataConsegna, ScadenzaGaranzia, Prezzo, EcoTar, Chiusa, Consegnata, InGaranzia, "
        "Attiva, Note) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, 1, ?)");
    Insert fromTemplate(
        m_db,
        "INSERT INTO CommessePre (CodCom, Codice, Descrizione, DescEstesa, Ordine, UM, Tariffa, "
        "QPrev, Quantita, Prezzo) SELECT ?1, Codice, Descrizione, DescEstesa, Ordine, UM, Tariffa, "
        "?2, ?2, round(Tariffa * ?2, 4) FROM PreVoci WHERE IdModelloPre = ?3");
    Insert line(m_db,
                "INSERT INTO CommessePre (CodCom, Codice, Descrizione, Ordine, UM, Tariffa, QPrev, Quantita, "
                "Prezzo) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int j = 0; j < m_sizes.jobOrders; ++j) {
      Job current;
      current.code = numbered("CM", 6, j + 1);
      current.start = QDate(2020, 1, 1).addDays(m_random.between(0, 1800));
      current.end = current.start.addDays(m_random.between(5, 240));
      current.rate = money(m_random.between(30, 55));
      const bool closed = m_random.chance(0.6);
      const bool delivered = closed || m_random.chance(0.2);
      const bool warranty = delivered && m_random.chance(0.5);
      const bool usesTemplate = !m_templates.empty() && m_random.chance(0.7);
      const std::int64_t templateId =
          usesTemplate ? m_random.pick(std::span<const std::int64_t>(m_templates)) : 0;
      job.text(current.code);
      if (m_customers.empty())
        job.null();
      else
        job.integer(m_random.pick(std::span<const std::int64_t>(m_customers)));
      if (usesTemplate)
        job.integer(templateId);
      else
        job.null();
      const Town& town = m_random.pick(towns());
      job.text(std::string(m_random.pick(jobKinds())) + " - " + town.name)
          .text(m_random.pick(surnames()))
          .date(current.start)
          .date(closed ? current.end : current.start)
          .date(current.start.addDays(m_random.between(10, 200)))
          .date(delivered ? current.end : current.start)
          .date(warranty ? current.end.addYears(2) : current.start)
          .real(current.rate)
          .integer(closed)
          .integer(delivered)
          .integer(warranty);
      if (m_random.chance(0.15))
        job.text("Accesso al cantiere dalle 8:00; chiedere del geometra.");
      else
        job.null();
      job.run();

      if (m_sizes.quoteLinesPerJob > 0) {
        const std::int64_t before = lastQuoteLine();
        if (usesTemplate) {
          fromTemplate.text(current.code).real(m_random.between(1, 50)).integer(templateId).run();
        } else {
          const int lines = m_random.between(1, m_sizes.quoteLinesPerJob);
          for (int l = 0; l < lines; ++l) {
            const double rate = money(m_random.between(5.0, 900.0));
            const double quantity = m_random.between(1, 40);
            line.text(current.code)
                .text(numbered("V", 2, l + 1))
                .text(m_random.pick(labourTasks()))
                .integer(l + 1)
                .text(m_random.pick(units()).code)
                .real(rate)
                .real(quantity)
                .real(quantity)
                .real(money(rate * quantity))
                .run();
          }
        }
        for (std::int64_t id = before + 1; id <= lastQuoteLine(); ++id) current.quoteLines.push_back(id);
      }
      m_jobs.push_back(std::move(current));
    }
  }

  std::int64_t lastQuoteLine() {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(m_db, "SELECT ifnull(max(IdVocePre), 0) FROM CommessePre", -1, &s, nullptr);
    sqlite3_step(s);
    const std::int64_t id = sqlite3_column_int64(s, 0);
    sqlite3_finalize(s);
    return id;
  }

  void costs() {
    if (m_jobs.empty() || m_sizes.costRows <= 0) return;
    Insert cost(m_db,
                "INSERT INTO Costi (Classe, Tipo, CodCom, InEconomia, IdStima, Data, CodImp, Codice, "
                "Descrizione, UM, Quantita, CostoUnitario, Valore, PrezzoUnitario) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < m_sizes.costRows; ++i) {
      const Job& job = m_jobs[std::size_t(m_random.between(0, int(m_jobs.size()) - 1))];
      const int roll = m_random.between(1, 100);
      const int kind = roll <= 55 ? 0 : roll <= 90 ? 2 : 3;
      const bool outsideQuote = job.quoteLines.empty() || m_random.chance(0.25);
      const QDate day = job.start.addDays(m_random.between(0, int(job.start.daysTo(job.end))));
      double quantity = 1, unitCost = 0, unitPrice = 0;
      cost.integer(kind);
      const OtherCost& other = m_random.pick(otherCosts());
      if (kind == 3)
        cost.integer(other.category);
      else
        cost.null();
      cost.text(job.code).integer(outsideQuote ? 1 : 0);
      if (outsideQuote)
        cost.null();
      else
        cost.integer(m_random.pick(std::span<const std::int64_t>(job.quoteLines)));
      cost.date(day);
      if (kind == 0 && !m_employees.empty()) {
        const std::size_t who = std::size_t(m_random.between(0, int(m_employees.size()) - 1));
        quantity = m_random.between(1, 16) * 0.5;
        unitCost = m_employeeRates[who];
        unitPrice = job.rate;
        cost.integer(m_employees[who]).null().text(m_random.pick(labourTasks())).text("H");
      } else if (kind == 2 && !m_articles.empty()) {
        const Article& a = m_articles[std::size_t(m_random.between(0, int(m_articles.size()) - 1))];
        quantity = m_random.between(1, 40);
        unitCost = a.cost;
        unitPrice = a.price;
        cost.null().text(a.code).text(a.description.substr(0, 50)).text(a.unit);
      } else {
        unitCost = money(m_random.between(10.0, 800.0));
        unitPrice = money(unitCost * 1.1);
        cost.null().null().text(other.description).text("PZ");
      }
      cost.real(quantity).real(unitCost).real(money(quantity * unitCost)).real(unitPrice).run();
    }
  }

  void activities() {
    Insert activity(m_db, "INSERT INTO Attivita (CodAtt, Descrizione, TOMO, Bloccata) VALUES (?, ?, ?, ?)");
    const auto names = activityNames();
    for (int i = 0; i < m_sizes.activities; ++i) {
      const std::string name = names[std::size_t(i) % names.size()];
      activity.text(numbered("A", 3, i + 1))
          .text(name)
          .real(money(m_random.between(25, 70)))
          .integer(m_random.chance(0.1))
          .run();
    }
  }

  sqlite3* m_db;
  const GeneratorSizes& m_sizes;
  Random m_random;
  std::vector<std::int64_t> m_customers, m_suppliers, m_employees, m_templates;
  std::vector<double> m_employeeRates;
  std::vector<Article> m_articles;
  std::vector<Job> m_jobs;
};

void exec(sqlite3* db, const char* sql) {
  if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail(db, sql);
}

bool hasRows(sqlite3* db) {
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(db,
                         "SELECT (SELECT count(*) FROM Commesse) + (SELECT count(*) FROM CliFor) + "
                         "(SELECT count(*) FROM Articoli) + (SELECT count(*) FROM Costi)",
                         -1, &s, nullptr) != SQLITE_OK)
    fail(db, "il file non ha le tabelle del programma");
  sqlite3_step(s);
  const bool rows = sqlite3_column_int64(s, 0) > 0;
  sqlite3_finalize(s);
  return rows;
}

}  // namespace

GeneratorSizes GeneratorSizes::scaled(double scale) const {
  GeneratorSizes s = *this;
  for (int* count : {&s.customers, &s.suppliers, &s.employees, &s.articles, &s.templates, &s.jobOrders,
                     &s.costRows, &s.activities})
    *count = scaledCount(*count, scale);
  return s;
}

void generate(const QString& dbPath, const GeneratorSizes& sizes) {
  if (!QFileInfo(dbPath).isFile())
    throw std::runtime_error("Generazione dei dati non riuscita: il database " + dbPath.toStdString() +
                             " non esiste (copiare prima master.gen).");
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(dbPath.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    throw std::runtime_error("Generazione dei dati non riuscita: impossibile aprire " + dbPath.toStdString());
  }
  try {
    if (hasRows(db))
      throw std::runtime_error("Generazione dei dati non riuscita: il database " + dbPath.toStdString() +
                               " contiene già dei dati e non viene toccato.");
    exec(db, "BEGIN IMMEDIATE");
    Generator(db, sizes).run();
    exec(db, "COMMIT");
  } catch (...) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    throw;
  }
  sqlite3_close(db);
}

QString templatePath() { return QStringLiteral(PROGRAM_DIR) + "/master.gen"; }

}  // namespace benchdata
