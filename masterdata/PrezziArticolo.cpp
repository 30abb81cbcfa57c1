#include "masterdata/PrezziArticolo.h"

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
std::optional<double> ricarico(double prezzo, double costo) {
  const std::optional<double> q = quotient(100.0 * prezzo, costo);
  if (!q) return std::nullopt;
  return *q - 100.0;
}

}  // namespace

void RicalcolaImporti(ImportiArticolo& importi, ImportoModificato modificato, Currency aliquotaIVA) {
  const double C = NzNum(importi.Costo, 0);
  const double R = NzNum(importi.Ricarico, 0);
  const double A = aliquotaIVA.toDouble();

  switch (modificato) {
    case ImportoModificato::Costo:
    case ImportoModificato::Ricarico: {
      const std::optional<double> P = quotient(C * (100.0 + R), 100.0);
      const double prezzo = P ? *P : NzNum(importi.Prezzo, 0);
      store(importi.Prezzo, money(P));
      store(importi.Aliquota, money(quotient(prezzo * A, 100.0)));
      store(importi.PrezzoIvato, plus(money(prezzo), importi.Aliquota));
      break;
    }
    case ImportoModificato::PrezzoIvato: {
      const double PI = NzNum(importi.PrezzoIvato, 0);
      const std::optional<Currency> cento = sum(Currency::fromInt(100), aliquotaIVA);
      const std::optional<double> P =
          cento ? quotient(100.0 * PI, cento->toDouble()) : std::nullopt;
      const double prezzo = P ? *P : NzNum(importi.Prezzo, 0);
      store(importi.Aliquota, money(PI - prezzo));
      store(importi.Prezzo, money(P));
      storeDouble(importi.Ricarico, ricarico(prezzo, C));
      break;
    }
    case ImportoModificato::Prezzo: {
      const double P = NzNum(importi.Prezzo, 0);
      store(importi.Aliquota, money(quotient(P * A, 100.0)));
      storeDouble(importi.Ricarico, ricarico(P, C));
      store(importi.PrezzoIvato, plus(money(P), importi.Aliquota));
      break;
    }
  }
}

std::optional<Currency> PrezzoConIVA(const ImportiArticolo& importi) {
  return plus(Currency::fromDouble(NzNum(importi.Prezzo, 0)), importi.Aliquota);
}

void ApplicaAliquotaIVA(ImportiArticolo& importi, Currency aliquotaIVA) {
  const double P = NzNum(importi.Prezzo, 0);
  store(importi.Aliquota, money(quotient(aliquotaIVA.toDouble() * P, 100.0)));
  store(importi.PrezzoIvato, plus(money(P), importi.Aliquota));
}
