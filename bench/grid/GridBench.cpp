// The job-order view over 20 000 and 100 000 job orders: binding the grid until its first screen of
// rows is painted, scrolling to the last row, sorting on a column, find-as-you-type in a text and in
// a date column, and grouping by customer. Each beside its floor, measure and floor taking turns run
// by run: the same query through bare SQLite into a minimal model that keeps the values as stored,
// shown by a bare QTableView with the grid's columns and widths. The floor sorts the row order by
// ranks of the case-folded texts made beforehand, finds by scanning case-folded texts, makes the
// date texts at the first letter, and groups by marking where the rank changes (no group rows).
// Opening must stay under 1.5 times its floor and under a second; scrolling, sorting and finding
// under 100 ms each; the grouping is measured only.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QTableView>
#include <algorithm>
#include <bit>
#include <limits>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "bench/data/BenchSupport.h"
#include "platform/grid/GridEX.h"

namespace {

const QString kQuery =
    "SELECT Commesse.*, CliFor.Nome AS Cliente FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = "
    "CliFor.IdCliFor";
constexpr int kJobOrders[] = {20000, 100000};
constexpr double kOpenRatioLimit = 1.5;
constexpr double kOpenLimitMs = 1000.0;
constexpr double kActionLimitMs = 100.0;
constexpr double kNoTimeLimit = std::numeric_limits<double>::infinity();

std::vector<std::unique_ptr<benchdata::JobOrderDatabase>> g_databases;

const benchdata::JobOrderDatabase& database(const benchmark::State& state) {
  return *g_databases[std::size_t(state.range(0))];
}

// Paints what a view shows now.
void paint(QAbstractItemView* view) {
  view->viewport()->repaint();
  QCoreApplication::processEvents();
}

void paint(grid::GridEX& g) {
  g.view()->repaint();
  QCoreApplication::processEvents();
}

// ---- the program's grid -------------------------------------------------------------------------

// A grid laid out as the main window shows the job-order view.
std::unique_ptr<grid::GridEX> viewGrid(const benchmark::State& state) {
  auto g = std::make_unique<grid::GridEX>();
  g->resize(1000, 700);
  g->loadLayoutFile(QStringLiteral(PROGRAM_DIR) + "/gex_com.lyt", true, database(state).connectionString());
  g->setRecordSource(kQuery);
  return g;
}

// The view grid bound and on screen.
std::unique_ptr<grid::GridEX> shownViewGrid(const benchmark::State& state) {
  auto g = viewGrid(state);
  g->show();
  g->rebind();
  paint(*g);
  return g;
}

void BM_BindUntilFirstScreen(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto g = viewGrid(state);
    g->show();
    state.ResumeTiming();
    g->rebind();
    paint(*g);
    state.counters["righe"] = g->rowCount();
  }
}

void BM_ScrollToLastRow(benchmark::State& state) {
  auto g = shownViewGrid(state);
  for (auto _ : state) {
    g->setRow(g->rowCount());
    paint(*g);
    state.PauseTiming();
    g->setRow(1);
    paint(*g);
    state.ResumeTiming();
  }
}

void BM_SortOnColumn(benchmark::State& state) {
  auto g = shownViewGrid(state);
  const int description = g->column("DesCom")->index();
  int order = grid::Ascending;
  for (auto _ : state) {
    g->sortKeys().clear();
    g->sortKeys().add(description, order);
    g->refreshSort();
    paint(*g);
    order = -order;
  }
}

// What is typed to find the customer of the last row: its first four letters.
QString typedCustomer(const QString& lastCustomer) {
  return lastCustomer.left(std::min<qsizetype>(4, lastCustomer.size()));
}

void BM_FindAsYouType(benchmark::State& state) {
  auto g = shownViewGrid(state);
  const int customer = g->column("Cliente")->index();
  const QString typed = typedCustomer(g->cellText(g->rowCount(), customer));
  for (auto _ : state) {
    // The text is typed one letter at a time; each letter searches from the top.
    for (int n = 1; n <= typed.size(); ++n) g->find(customer, grid::FindBeginsWith, Variant(typed.left(n)));
    g->find(customer, grid::FindEqual, Variant("zzz nessuno"));
    paint(*g);
  }
}

const QString kTypedDate = QStringLiteral("31-12-2024");

// On a date column, whose texts are formatted: the first letter pays for the texts once.
void BM_FindAsYouTypeInDates(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto g = shownViewGrid(state);
    const int start = g->column("DataInizio")->index();
    g->sortKeys().clear();
    g->sortKeys().add(start, grid::Ascending);
    g->refreshSort();
    state.ResumeTiming();
    for (int n = 1; n <= kTypedDate.size(); ++n)
      g->find(start, grid::FindBeginsWith, Variant(kTypedDate.left(n)));
    paint(*g);
  }
}

// Grouping the job orders by customer, then collapsing and expanding all groups.
void BM_GroupByCustomer(benchmark::State& state) {
  auto g = shownViewGrid(state);
  const int customer = g->column("Cliente")->index();
  for (auto _ : state) {
    g->groups().clear();
    g->groups().add(customer, grid::Ascending);
    g->refreshSort();
    g->collapseAll(true);
    g->expandAll();
    paint(*g);
  }
}

// ---- the floor ----------------------------------------------------------------------------------

// The query's rows as SQLite gives them: numbers as they are, texts in one buffer, made into
// QString only for the cells a view paints. Rows show in the order of `order`.
class BareRows : public QAbstractTableModel {
 public:
  void load(sqlite3* db) {
    beginResetModel();
    m_cells.clear();
    m_text.clear();
    const std::string sql = kQuery.toStdString();
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &s, nullptr);
    m_columns = sqlite3_column_count(s);
    m_names.clear();
    for (int c = 0; c < m_columns; ++c) m_names << QString::fromUtf8(sqlite3_column_name(s, c));
    while (sqlite3_step(s) == SQLITE_ROW)
      for (int c = 0; c < m_columns; ++c) m_cells.push_back(cell(s, c));
    sqlite3_finalize(s);
    order.resize(m_cells.size() / std::size_t(m_columns));
    std::iota(order.begin(), order.end(), 0);
    endResetModel();
  }

  int column(const QString& name) const { return int(m_names.indexOf(name)); }
  QString text(int record, int column) const {
    const Cell& c = m_cells[std::size_t(record) * std::size_t(m_columns) + std::size_t(column)];
    return c.type == SQLITE_TEXT ? QString::fromUtf8(m_text.data() + c.value, c.size) : QString();
  }
  // The texts of a column by record, case-folded.
  std::vector<QString> foldedTexts(int column) const {
    std::vector<QString> all(order.size());
    for (std::size_t record = 0; record < all.size(); ++record)
      all[record] = text(int(record), column).toCaseFolded();
    return all;
  }
  void orderChanged() { emit layoutChanged(); }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : int(order.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_columns; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    const int record = order[std::size_t(index.row())];
    const Cell& c = m_cells[std::size_t(record) * std::size_t(m_columns) + std::size_t(index.column())];
    switch (c.type) {
      case SQLITE_INTEGER: return QVariant::fromValue(qint64(c.value));
      case SQLITE_FLOAT: return std::bit_cast<double>(c.value);
      case SQLITE_TEXT: return text(record, index.column());
      default: return {};
    }
  }

  std::vector<int> order;

 private:
  // A value: an integer, the bits of a real, or where a text lies in the buffer.
  struct Cell {
    std::int32_t type;
    std::uint32_t size;
    std::int64_t value;
  };
  Cell cell(sqlite3_stmt* s, int column) {
    sqlite3_value* v = sqlite3_column_value(s, column);
    Cell c{sqlite3_value_type(v), 0, 0};
    if (c.type == SQLITE_INTEGER) c.value = sqlite3_value_int64(v);
    if (c.type == SQLITE_FLOAT) c.value = std::bit_cast<std::int64_t>(sqlite3_value_double(v));
    if (c.type == SQLITE_TEXT) {
      const char* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
      c.value = std::int64_t(m_text.size());
      c.size = std::uint32_t(sqlite3_value_bytes(v));
      m_text.append(text, c.size);
    }
    return c;
  }

  std::vector<Cell> m_cells;
  std::string m_text;
  QStringList m_names;
  int m_columns = 0;
};

// A bare table view over the rows, on a handle kept open, showing the grid's columns at its widths.
class BareView {
 public:
  explicit BareView(const benchmark::State& state) {
    sqlite3_open_v2(database(state).path().toUtf8().constData(), &m_db,
                    SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    view.resize(1000, 700);
    view.setModel(&rows);
    view.show();
  }
  ~BareView() { sqlite3_close(m_db); }

  void load() {
    rows.load(m_db);
    // The columns of the job-order layout, at its widths in twips.
    const std::pair<const char*, int> shown[] = {
        {"CodCom", 1200},     {"DesCom", 3600},     {"Responsabile", 1800},
        {"DataInizio", 1200}, {"DataConPre", 2050}, {"Chiusa", 950},
        {"Consegnata", 1450}, {"InGaranzia", 1350}, {"Cliente", 2400}};
    for (int c = 0; c < rows.columnCount(); ++c) view.setColumnHidden(c, true);
    for (const auto& [name, twips] : shown) {
      view.setColumnHidden(rows.column(name), false);
      view.setColumnWidth(rows.column(name), twips / 15);
    }
    paint(&view);
  }
  // Shows a row as the current one.
  void goTo(int row) { view.setCurrentIndex(rows.index(row, rows.column("CodCom"))); }
  // Sorts the row order by the records' ranks, stably.
  void sort(const std::vector<int>& ranks, int order) {
    std::stable_sort(rows.order.begin(), rows.order.end(), [&](int a, int b) {
      const int x = ranks[std::size_t(a)], y = ranks[std::size_t(b)];
      return order == grid::Ascending ? x < y : y < x;
    });
    rows.orderChanged();
  }
  // The first row from the top whose case-folded text begins with (or equals) the given one; -1 when
  // none.
  int find(const std::vector<QString>& folded, const QString& wanted, bool whole) const {
    const QString key = wanted.toCaseFolded();
    for (std::size_t row = 0; row < rows.order.size(); ++row) {
      const QString& text = folded[std::size_t(rows.order[row])];
      if (whole ? text == key : text.startsWith(key)) return int(row);
    }
    return -1;
  }

  BareRows rows;
  QTableView view;

 private:
  sqlite3* m_db = nullptr;
};

void BM_BareViewUntilFirstScreen(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    BareView bare(state);
    state.ResumeTiming();
    bare.load();
    state.counters["righe"] = bare.rows.rowCount();
  }
}

void BM_BareViewScrollToLastRow(benchmark::State& state) {
  BareView bare(state);
  bare.load();
  for (auto _ : state) {
    bare.goTo(bare.rows.rowCount() - 1);
    paint(&bare.view);
    state.PauseTiming();
    bare.goTo(0);
    paint(&bare.view);
    state.ResumeTiming();
  }
}

// The rank of each record's text among the distinct texts: made once, so that a sort compares
// numbers only.
std::vector<int> ranks(const std::vector<QString>& folded) {
  std::vector<int> byText(folded.size());
  std::iota(byText.begin(), byText.end(), 0);
  std::sort(byText.begin(), byText.end(),
            [&](int a, int b) { return folded[std::size_t(a)] < folded[std::size_t(b)]; });
  std::vector<int> rank(folded.size());
  int next = 0;
  for (std::size_t i = 0; i < byText.size(); ++i) {
    if (i > 0 && folded[std::size_t(byText[i])] != folded[std::size_t(byText[i - 1])]) ++next;
    rank[std::size_t(byText[i])] = next;
  }
  return rank;
}

void BM_BareViewSortOnColumn(benchmark::State& state) {
  BareView bare(state);
  bare.load();
  const std::vector<int> rank = ranks(bare.rows.foldedTexts(bare.rows.column("DesCom")));
  int order = grid::Ascending;
  for (auto _ : state) {
    bare.sort(rank, order);
    paint(&bare.view);
    order = -order;
  }
}

void BM_BareViewFindAsYouType(benchmark::State& state) {
  BareView bare(state);
  bare.load();
  const std::vector<QString> texts = bare.rows.foldedTexts(bare.rows.column("Cliente"));
  const QString typed = typedCustomer(texts[std::size_t(bare.rows.order.back())]);
  for (auto _ : state) {
    for (int n = 1; n <= typed.size(); ++n)
      if (const int row = bare.find(texts, typed.left(n), false); row >= 0) bare.goTo(row);
    benchmark::DoNotOptimize(bare.find(texts, "zzz nessuno", true));
    paint(&bare.view);
  }
}

// The dates as the grid shows them: "2024-12-31" as "31-12-2024".
constexpr int kDayFirst[] = {8, 9, 7, 5, 6, 4, 0, 1, 2, 3};
std::vector<QString> dateTexts(const BareRows& rows, int column) {
  std::vector<QString> texts(rows.order.size());
  for (std::size_t record = 0; record < texts.size(); ++record) {
    const QString stored = rows.text(int(record), column);
    if (stored.size() < 10) continue;
    QString& text = texts[record];
    text.resize(10);
    for (int i = 0; i < 10; ++i) text[i] = stored[kDayFirst[i]];
  }
  return texts;
}

void BM_BareViewFindAsYouTypeInDates(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    BareView bare(state);
    bare.load();
    const int start = bare.rows.column("DataInizio");
    bare.sort(ranks(bare.rows.foldedTexts(start)), grid::Ascending);
    paint(&bare.view);
    state.ResumeTiming();
    const std::vector<QString> texts = dateTexts(bare.rows, start);
    for (int n = 1; n <= kTypedDate.size(); ++n)
      if (const int row = bare.find(texts, kTypedDate.left(n), false); row >= 0) bare.goTo(row);
    paint(&bare.view);
  }
}

void BM_BareViewGroupByCustomer(benchmark::State& state) {
  BareView bare(state);
  bare.load();
  const std::vector<int> rank = ranks(bare.rows.foldedTexts(bare.rows.column("Cliente")));
  for (auto _ : state) {
    bare.sort(rank, grid::Ascending);
    int groups = 0;
    for (std::size_t row = 0; row < bare.rows.order.size(); ++row)
      groups +=
          row == 0 || rank[std::size_t(bare.rows.order[row])] != rank[std::size_t(bare.rows.order[row - 1])];
    benchmark::DoNotOptimize(groups);
    paint(&bare.view);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  for (const int jobOrders : kJobOrders) {
    g_databases.push_back(std::make_unique<benchdata::JobOrderDatabase>(jobOrders));
    if (g_databases.back()->path().isEmpty()) return 1;
  }

  benchdata::TimingReporter reporter;
  benchdata::runInterleaved(reporter,
                            {{"BM_BindUntilFirstScreen", BM_BindUntilFirstScreen},
                             {"BM_BareViewUntilFirstScreen", BM_BareViewUntilFirstScreen},
                             {"BM_ScrollToLastRow", BM_ScrollToLastRow},
                             {"BM_BareViewScrollToLastRow", BM_BareViewScrollToLastRow},
                             {"BM_SortOnColumn", BM_SortOnColumn},
                             {"BM_BareViewSortOnColumn", BM_BareViewSortOnColumn},
                             {"BM_FindAsYouType", BM_FindAsYouType},
                             {"BM_BareViewFindAsYouType", BM_BareViewFindAsYouType},
                             {"BM_FindAsYouTypeInDates", BM_FindAsYouTypeInDates},
                             {"BM_BareViewFindAsYouTypeInDates", BM_BareViewFindAsYouTypeInDates},
                             {"BM_GroupByCustomer", BM_GroupByCustomer},
                             {"BM_BareViewGroupByCustomer", BM_BareViewGroupByCustomer}},
                            int(std::size(kJobOrders)));
  const std::string floor = "QTableView su SQLite diretto";
  const bool ok = benchdata::compareWithFloors(
      reporter,
      {{"apertura", "BM_BindUntilFirstScreen", "BM_BareViewUntilFirstScreen", kOpenRatioLimit, kOpenLimitMs,
        floor},
       {"all'ultima riga", "BM_ScrollToLastRow", "BM_BareViewScrollToLastRow", 0, kActionLimitMs, floor},
       {"ordinamento", "BM_SortOnColumn", "BM_BareViewSortOnColumn", 0, kActionLimitMs, floor},
       {"ricerca digitando", "BM_FindAsYouType", "BM_BareViewFindAsYouType", 0, kActionLimitMs, floor},
       {"ricerca nelle date", "BM_FindAsYouTypeInDates", "BM_BareViewFindAsYouTypeInDates", 0, kActionLimitMs,
        floor},
       {"raggruppamento", "BM_GroupByCustomer", "BM_BareViewGroupByCustomer", 0, kNoTimeLimit, floor}},
      benchdata::sizeLabels(kJobOrders, "commesse"));
  return ok ? 0 : 1;
}
