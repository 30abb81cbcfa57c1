#include "reports/arp_o_det_AC.h"

#include "platform/db/JetSql.h"

arp_o_det_AC::arp_o_det_AC()
    : ListLayout(QStringLiteral("Dettaglio Altri Costi"),
                 {{QStringLiteral("Data"), 0, 1000},
                  {QStringLiteral("Categoria"), 1000, 1400},
                  {QStringLiteral("Descrizione"), 2400, 2500},
                  {QStringLiteral("UM"), 4900, 500},
                  {QStringLiteral(" Voce Preventivo"), 5400, 1800},
                  {QStringLiteral("Quantità"), 7200, 1100, true},
                  {QStringLiteral("Costo"), 8300, 1446, true}},
                 {{QStringLiteral("txtData"), QStringLiteral("Data"), 0, 960, Kind::Date},
                  {QStringLiteral("txtCategoria"), QStringLiteral("Categoria"), 1000, 1360},
                  {QStringLiteral("Field2"), QStringLiteral("Costi.Descrizione"), 2400, 2460},
                  {QStringLiteral("txtUM"), QStringLiteral("UM"), 4900, 460},
                  {QStringLiteral("CheckBox1"), QStringLiteral("InEconomia"), 5460, 240, Kind::Check},
                  {QStringLiteral("Field3"), QStringLiteral("CommessePre.Codice"), 5760, 1400},
                  {QStringLiteral("txtQuantita"), QStringLiteral("Quantita"), 7200, 1100, Kind::Number},
                  {QStringLiteral("txtValore"), QStringLiteral("Valore"), 8300, 1446, Kind::Number}}) {}

// Every other cost of the job order, as its economic summary counts them: one without a known
// category prints with an empty one.
QString arp_o_det_AC::Query(const QString& CodCom) {
  return "SELECT Costi.*, CommessePre.Codice, CommessePre.Descrizione, [_Pars].s01 AS Categoria"
         " FROM (Costi LEFT JOIN CommessePre ON (Costi.IdStima = CommessePre.IdVocePre) AND (Costi.CodCom = "
         "CommessePre.CodCom)) LEFT JOIN _Pars ON (Costi.Tipo = [_Pars].l01) AND ([_Pars].k01 = 'catcos')"
         " Where (((Costi.CodCom) = " +
         db::jetText(CodCom) + ") And ((Costi.Classe) = 3)) ORDER BY Costi.Data DESC";
}
