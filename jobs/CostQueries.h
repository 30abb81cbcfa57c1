#pragma once

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/runtime/Currency.h"
#include "platform/runtime/Variant.h"

// What the daily cost entry reads from the database, apart from its widgets: the texts of its
// queries and the look-ups its grid rules make. Every look-up opens a connection of its own on
// ConnString and closes it when done; a failure of the database throws db::DbError.
namespace costs {

// The cost classes, one per grid: labour, materials, other costs.
enum CostClass : std::int16_t { Labour = 0, Materials = 2, OtherCosts = 3 };

// The cost rows of one class, of one job order on one day.
QString daySql(const QString& jobCode, const QDate& day, CostClass costClass);
QString quoteLinesSql(const QString& jobCode);
extern const QString unitsSql;
extern const QString categoriesSql;
extern const QString employeesSql;
extern const QString articlesSql;

// The first open job order by code, with its hourly rate (0 when it has none).
struct JobOrder {
  QString code;
  Currency rate;
};
std::optional<JobOrder> firstOpenJobOrder();
// Whether the job order is (still) in the database.
bool jobOrderExists(const QString& jobCode);
// The hourly rate of a job order; 0 when it has none or does not exist.
Currency jobOrderRate(const QString& jobCode);
// The hourly cost of an employee; 0 when the employee does not exist or has no rate.
Currency employeeRate(std::int32_t employeeId);

// What an article brings to a materials row: the empty text and 0 where the article has nothing.
struct Article {
  QString unit;
  Currency cost;
  Currency price;
  QString description;
};
std::optional<Article> article(const QString& code);

// The items of the units list (value and text: the unit's code) and of the categories of other
// costs (value l01, text s01).
struct ListItem {
  Variant value;
  QString text;
};
std::vector<ListItem> units();
std::vector<ListItem> categories();

// The value of a cost row: quantity times unit cost, each 0 when not a number; nothing when the
// product does not fit the money range.
std::optional<Currency> rowValue(const Variant& quantity, const Variant& unitCost);

}  // namespace costs
