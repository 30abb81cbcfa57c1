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
struct DatiCommessa {
  enum Parte { Preventivo = 0, InEconomia = 1, Totale = 2 };
  enum Categoria { Vendita = 0, Costi = 1, Manodopera = 2, Materiali = 3, AltriCosti = 4, UtilePerdita = 5 };
  static constexpr int NumParti = 3;
  static constexpr int NumCategorie = 6;

  // V[p][k]: part p, category k.
  std::array<std::array<Currency, NumCategorie>, NumParti> V{};
  // Hours of the labour rows booked against the quote and by time.
  double OrePreventivo = 0;
  double OreEconomia = 0;

  // Runs the eight amount sums of CodCom on cn and computes the other cells. Throws db::DbError when
  // the database fails or a sum does not fit the currency range.
  static DatiCommessa Leggi(db::Connection& cn, const QString& CodCom);
  // Leggi, then the two hour sums.
  static DatiCommessa LeggiConOre(db::Connection& cn, const QString& CodCom);

  // From the eight sums (parts Preventivo and InEconomia of Vendita, Manodopera, Materiali and
  // AltriCosti): the totals by category, the costs of each part as the sum of its three cost
  // categories, and the profit as sales minus costs. Throws std::overflow_error beyond the range.
  void Completa();

  // An amount or a number of hours as the summary shows it: thousands grouped, two decimals and a
  // trailing blank, with the user's separators.
  static QString Testo(Currency value);
  static QString Testo(double value);
};
