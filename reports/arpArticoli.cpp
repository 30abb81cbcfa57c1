#include "reports/arpArticoli.h"

namespace {

const QString PriceFormat = QStringLiteral("###,##0.00");

}  // namespace

arpArticoli::arpArticoli()
    : ExportListLayout(
          QStringLiteral("lblTitle"), QStringLiteral("Articoli"), QStringLiteral("Line1"),
          {{QStringLiteral("lblArticoli_DataIns"), QStringLiteral("Data"),
            QStringLiteral("txtArticoli_DataIns"), QStringLiteral("DataIns"), 0, 1100},
           {QStringLiteral("lblArticoli_Codice"), QStringLiteral("Codice"),
            QStringLiteral("txtArticoli_Codice"), QStringLiteral("Codice"), 1160, 1800},
           {QStringLiteral("lblArticoli_Descrizione"), QStringLiteral("Descrizione"),
            QStringLiteral("txtArticoli_Descrizione"), QStringLiteral("Descrizione"), 3020, 3800},
           {QStringLiteral("lblArticoli_Prezzo"), QStringLiteral("Prezzo"),
            QStringLiteral("txtArticoli_Prezzo"), QStringLiteral("Prezzo"), 6880, 1400, PriceFormat, true},
           {QStringLiteral("lblArticoli_PrezzoIvato"), QStringLiteral("Prezzo ivato"),
            QStringLiteral("txtArticoli_PrezzoIvato"), QStringLiteral("PrezzoIvato"), 8346, Width - 8346,
            PriceFormat, true}},
          QStringLiteral("Line2"),
          {QStringLiteral("txtArticoli_Codice"), QStringLiteral("txtArticoli_Descrizione")}) {
  setCaption(QStringLiteral("Articoli"));
  setDocumentName(QStringLiteral("Stampa Articoli"));
}
