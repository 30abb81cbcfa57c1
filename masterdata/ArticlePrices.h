#pragma once

#include <optional>

#include "platform/runtime/Currency.h"
#include "platform/runtime/Variant.h"

// The amounts of an article as its price arithmetic reads and writes them: cost, mark-up in
// percent, sale price, price with VAT and the VAT amount (money, not a rate).
struct ArticleAmounts {
  Variant Costo;
  Variant Ricarico;
  Variant Prezzo;
  Variant PrezzoIvato;
  Variant Aliquota;
};

// The amount whose box the user has just left.
enum class EditedAmount { Costo, Ricarico, PrezzoIvato, Prezzo };

// Brings the other amounts in line with the one just edited, under the VAT rate in percent. The
// computation runs in double precision in the written order and converts to currency (halves to
// the even digit) where the money columns need it. A step that cannot be computed (a division by a
// zero cost, an amount out of range) is skipped: its amount keeps what it held, and the other steps
// still run.
void recalculateAmounts(ArticleAmounts& amounts, EditedAmount edited, Currency vatRate);

// The price with VAT that the price and the VAT amount make; none when their sum leaves the money
// range.
std::optional<Currency> priceWithVat(const ArticleAmounts& amounts);

// A new VAT rate: the VAT amount and the price with VAT follow the price; cost, mark-up and price
// stay.
void applyVatRate(ArticleAmounts& amounts, Currency vatRate);
