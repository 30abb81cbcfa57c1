#include "reports/arp_o_det_materiali.h"

#include "platform/db/JetSql.h"

arp_o_det_materiali::arp_o_det_materiali()
    : ListLayout(QStringLiteral("Dettaglio Materiali"),
                 {{QStringLiteral("Data"), 0, 1000},
                  {QStringLiteral("Articolo/Materiale"), 1000, 3900},
                  {QStringLiteral("UM"), 4900, 500},
                  {QStringLiteral(" Voce Preventivo"), 5400, 1800},
                  {QStringLiteral("Quantità"), 7200, 1100, true},
                  {QStringLiteral("Costo"), 8300, 1446, true}},
                 {{QStringLiteral("txtData"), QStringLiteral("Data"), 0, 960, Kind::Date},
                  {QStringLiteral("Field1"), QStringLiteral("Costi.Codice"), 1000, 1200},
                  {QStringLiteral("Field2"), QStringLiteral("Costi.Descrizione"), 2260, 2580},
                  {QStringLiteral("txtUM"), QStringLiteral("UM"), 4900, 460},
                  {QStringLiteral("CheckBox1"), QStringLiteral("InEconomia"), 5460, 240, Kind::Check},
                  {QStringLiteral("Field3"), QStringLiteral("CommessePre.Codice"), 5760, 1400},
                  {QStringLiteral("txtQuantita"), QStringLiteral("Quantita"), 7200, 1100, Kind::Number},
                  {QStringLiteral("txtValore"), QStringLiteral("Valore"), 8300, 1446, Kind::Number}}) {}

QString arp_o_det_materiali::Query(const QString& CodCom) {
  return "SELECT Costi.*, CommessePre.Codice, CommessePre.Descrizione"
         " FROM Costi LEFT JOIN CommessePre ON (Costi.IdStima = CommessePre.IdVocePre) AND (Costi.CodCom = "
         "CommessePre.CodCom)"
         " Where (((Costi.CodCom) = " +
         db::jetText(CodCom) + ") And ((Costi.Classe) = 2)) ORDER BY Costi.Data DESC";
}
