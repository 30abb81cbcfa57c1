#pragma once

#include <QString>
#include <array>

#include "platform/runtime/Currency.h"

namespace db {
class Connection;
}

// The economic summary of one job order: what it sells and what it costs, by part (quoted, billed
// by time, total) and category, in currency, plus the labour hours of the two parts. Read through
// the data layer with no window, so the summary window and the job-order report share it.
struct JobSummary {
  enum Part { Quoted = 0, ByTime = 1, Total = 2 };
  enum Category { Sales = 0, Costs = 1, Labour = 2, Materials = 3, OtherCosts = 4, ProfitOrLoss = 5 };
  static constexpr int PartCount = 3;
  static constexpr int CategoryCount = 6;

  // V[p][k]: part p, category k.
  std::array<std::array<Currency, CategoryCount>, PartCount> V{};
  // Hours of the labour rows booked against the quote and by time.
  double quotedHours = 0;
  double byTimeHours = 0;

  // Runs the eight amount sums of CodCom on cn and computes the other cells. Throws db::DbError when
  // the database fails or a sum does not fit the currency range.
  static JobSummary read(db::Connection& cn, const QString& CodCom);
  // read, then the two hour sums.
  static JobSummary readWithHours(db::Connection& cn, const QString& CodCom);

  // From the eight sums (parts Quoted and ByTime of Sales, Labour, Materials and
  // OtherCosts): the totals by category, the costs of each part as the sum of its three cost
  // categories, and the profit as sales minus costs. Throws std::overflow_error beyond the range.
  void complete();

  // An amount or a number of hours as the summary shows it: thousands grouped, two decimals and a
  // trailing blank, with the user's separators.
  static QString text(Currency value);
  static QString text(double value);
};
