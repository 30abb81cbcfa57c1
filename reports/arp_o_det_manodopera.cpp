#include "reports/arp_o_det_manodopera.h"

#include "platform/db/JetSql.h"

arp_o_det_manodopera::arp_o_det_manodopera()
    : ListLayout(QStringLiteral("Dettaglio Manodopera"),
                 {{QStringLiteral("Data"), 0, 1100},
                  {QStringLiteral("Impiegato"), 1100, 3400},
                  {QStringLiteral("Ore"), 4500, 900, true},
                  {QStringLiteral(" Voce Preventivo"), 5500, 2200},
                  {QStringLiteral("Costo"), 7800, 1946, true}},
                 {{QStringLiteral("txtData"), QStringLiteral("Data"), 0, 1040, Kind::Date},
                  {QStringLiteral("txtCognome"), QStringLiteral("=Cognome & \" \" & Nome"), 1100, 3340},
                  {QStringLiteral("txtQuantita"), QStringLiteral("Quantita"), 4500, 900, Kind::Number},
                  {QStringLiteral("CheckBox1"), QStringLiteral("InEconomia"), 5560, 240, Kind::Check},
                  {QStringLiteral("Field1"), QStringLiteral("CommessePre.Codice"), 5860, 1840},
                  {QStringLiteral("txtValore"), QStringLiteral("Valore"), 7800, 1946, Kind::Number}}) {}

QString arp_o_det_manodopera::Query(const QString& CodCom) {
  return "SELECT Costi.*, Impiegati.Cognome, Impiegati.Nome, CommessePre.Codice, CommessePre.Descrizione"
         " FROM (Costi INNER JOIN Impiegati ON Costi.CodImp = Impiegati.CodImp) LEFT JOIN CommessePre ON "
         "(Costi.IdStima = CommessePre.IdVocePre) AND (Costi.CodCom = CommessePre.CodCom)"
         " WHERE Costi.CodCom=" +
         db::jetText(CodCom) + " ORDER BY Costi.Data DESC";
}
