#include "reports/arp_com_det_prev.h"

#include "platform/db/JetSql.h"

arp_com_det_prev::arp_com_det_prev()
    : ListLayout(QStringLiteral("Controllo Preventivo"),
                 {{QStringLiteral("Codice"), 0, 900},
                  {QStringLiteral("Descrizione"), 900, 2200},
                  {QStringLiteral("Tariffa"), 3100, 850, true},
                  {QStringLiteral("UM"), 4100, 400},
                  {QStringLiteral("Q. Prev."), 4500, 900, true},
                  {QStringLiteral("Quantità"), 5400, 900, true},
                  {QStringLiteral("Prezzo"), 6300, 1100, true},
                  {QStringLiteral("Costo"), 7400, 1100, true},
                  {QStringLiteral("Delta"), 8500, 1246, true}},
                 {{QStringLiteral("txtCodice"), QStringLiteral("Codice"), 0, 840},
                  {QStringLiteral("txtDescrizione"), QStringLiteral("Descrizione"), 900, 2140},
                  {QStringLiteral("txtTariffa"), QStringLiteral("Tariffa"), 3100, 850, Kind::Number},
                  {QStringLiteral("txtUM"), QStringLiteral("UM"), 4100, 400},
                  {QStringLiteral("txtQPrev"), QStringLiteral("QPrev"), 4500, 900, Kind::Number},
                  {QStringLiteral("txtQuantita"), QStringLiteral("Quantita"), 5400, 900, Kind::Number},
                  {QStringLiteral("txtPrezzo"), QStringLiteral("Prezzo"), 6300, 1100, Kind::Number},
                  {QStringLiteral("txtCostoTotale"), QStringLiteral("CT"), 7400, 1100, Kind::Number},
                  {QStringLiteral("txtDelta"), QStringLiteral("Delta"), 8500, 1246, Kind::Number}}) {
  addTotals({{QStringLiteral("txtTotalePrezzo"), QStringLiteral("Prezzo"), 6300, 1100},
             {QStringLiteral("txtTotaleCosto"), QStringLiteral("CT"), 7400, 1100},
             {QStringLiteral("txtTotaleDelta"), QStringLiteral("Delta"), 8500, 1246}});
}

namespace {

// The rows of the saved query costi_prev_sum for one job order only: grouping the whole of Costi
// for every job order made the report grow with job orders times cost rows.
QString bookedCost(const QString& CodCom) {
  return "SELECT IdStima, CodCom, Round(Sum(Valore), 4) AS CostoTotale FROM Costi WHERE CodCom = " +
         db::jetText(CodCom) + " GROUP BY IdStima, CodCom";
}

}  // namespace

QString arp_com_det_prev::Query(const QString& CodCom) {
  return "SELECT CommessePre.Codice, CommessePre.Descrizione, CommessePre.Tariffa, CommessePre.UM, "
         "CommessePre.Quantita, CommessePre.QPrev, CommessePre.Prezzo, "
         "IIf(IsNull([CostoTotale]),0,[CostoTotale]) AS CT, "
         "[Prezzo]-IIf(IsNull([CostoTotale]),0,[CostoTotale]) AS Delta"
         " FROM CommessePre LEFT JOIN (" +
         bookedCost(CodCom) +
         ") AS costi_prev_sum ON (CommessePre.IdVocePre = costi_prev_sum.IdStima) AND "
         "(CommessePre.CodCom = costi_prev_sum.CodCom)"
         " Where CommessePre.CodCom = " +
         db::jetText(CodCom) + " ORDER BY CommessePre.Codice";
}
