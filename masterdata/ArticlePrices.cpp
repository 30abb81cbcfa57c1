#include "masterdata/ArticlePrices.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "core/comUtility.h"

namespace {

// Each step yields nothing when it fails; its amount then keeps the value it held.
std::optional<double> quotient(double dividend, double divisor) {
  if (divisor == 0.0) return std::nullopt;
  const double q = dividend / divisor;
  if (!std::isfinite(q)) return std::nullopt;
  return q;
}

std::optional<Currency> money(std::optional<double> value) {
  if (!value) return std::nullopt;
  return Currency::fromDouble(*value);
}

void store(Variant& amount, std::optional<Currency> value) {
  if (value) amount = Variant(*value);
}

void storeDouble(Variant& amount, std::optional<double> value) {
  if (value) amount = Variant(*value);
}

// A sum beyond the money range fails like any other step instead of wrapping round.
std::optional<Currency> sum(Currency a, Currency b) {
  std::int64_t raw = 0;
  if (__builtin_add_overflow(a.raw(), b.raw(), &raw)) return std::nullopt;
  return Currency::fromRaw(raw);
}

std::optional<Currency> plus(std::optional<Currency> a, const Variant& b) {
  if (!a) return std::nullopt;
  const std::optional<Currency> other = Currency::fromDouble(NzNum(b, 0));
  if (!other) return std::nullopt;
  return sum(*a, *other);
}

// 100 * P / C - 100: the mark-up a price gives on a cost.
std::optional<double> markUp(double price, double cost) {
  const std::optional<double> q = quotient(100.0 * price, cost);
  if (!q) return std::nullopt;
  return *q - 100.0;
}

}  // namespace

void recalculateAmounts(ArticleAmounts& amounts, EditedAmount edited, Currency vatRate) {
  const double C = NzNum(amounts.Costo, 0);
  const double R = NzNum(amounts.Ricarico, 0);
  const double A = vatRate.toDouble();

  switch (edited) {
    case EditedAmount::Costo:
    case EditedAmount::Ricarico: {
      const std::optional<double> P = quotient(C * (100.0 + R), 100.0);
      const double price = P ? *P : NzNum(amounts.Prezzo, 0);
      store(amounts.Prezzo, money(P));
      store(amounts.Aliquota, money(quotient(price * A, 100.0)));
      store(amounts.PrezzoIvato, plus(money(price), amounts.Aliquota));
      break;
    }
    case EditedAmount::PrezzoIvato: {
      const double PI = NzNum(amounts.PrezzoIvato, 0);
      const std::optional<Currency> hundredAndRate = sum(Currency::fromInt(100), vatRate);
      const std::optional<double> P =
          hundredAndRate ? quotient(100.0 * PI, hundredAndRate->toDouble()) : std::nullopt;
      const double price = P ? *P : NzNum(amounts.Prezzo, 0);
      store(amounts.Aliquota, money(PI - price));
      store(amounts.Prezzo, money(P));
      storeDouble(amounts.Ricarico, markUp(price, C));
      break;
    }
    case EditedAmount::Prezzo: {
      const double P = NzNum(amounts.Prezzo, 0);
      store(amounts.Aliquota, money(quotient(P * A, 100.0)));
      storeDouble(amounts.Ricarico, markUp(P, C));
      store(amounts.PrezzoIvato, plus(money(P), amounts.Aliquota));
      break;
    }
  }
}

std::optional<Currency> priceWithVat(const ArticleAmounts& amounts) {
  return plus(Currency::fromDouble(NzNum(amounts.Prezzo, 0)), amounts.Aliquota);
}

void applyVatRate(ArticleAmounts& amounts, Currency vatRate) {
  const double P = NzNum(amounts.Prezzo, 0);
  store(amounts.Aliquota, money(quotient(vatRate.toDouble() * P, 100.0)));
  store(amounts.PrezzoIvato, plus(money(P), amounts.Aliquota));
}
