#include "reports/arp_o_det_datieco.h"

#include "core/Globals.h"
#include "jobs/DatiCommessa.h"
#include "platform/db/Connection.h"

namespace {

constexpr int kLarghezzaParte = 1246;
constexpr int kLarghezzaCella = 1400;
constexpr int kAltezzaRiga = 270;
constexpr int kTitolo = 300;

QString nomeEtichetta(int numero) { return QStringLiteral("Label%1").arg(numero); }

}  // namespace

arp_o_det_datieco::arp_o_det_datieco() {
  report::Section& detail = addSection(report::SectionType::Detail, QStringLiteral("Detail"),
                                       kTitolo + 4 * kAltezzaRiga + 120);
  report::Label& titolo = detail.addLabel(QStringLiteral("lblTitolo"), QRect(0, 0, 6000, 260),
                                          QStringLiteral("Riepilogo dati economici"));
  titolo.style().bold = true;
  const QString categorie[] = {QStringLiteral("Vendita"),    QStringLiteral("Totale Costi"),
                               QStringLiteral("Manodopera"), QStringLiteral("Materiali"),
                               QStringLiteral("Altri Costi"), QStringLiteral("Utile/Perdita")};
  const QString parti[] = {QStringLiteral("Preventivo"), QStringLiteral("In economia"), QStringLiteral("Totale")};
  for (int k = 0; k < DatiCommessa::NumCategorie; ++k) {
    report::Label& c = detail.addLabel(nomeEtichetta(1 + k),
                                       QRect(kLarghezzaParte + k * kLarghezzaCella, kTitolo, kLarghezzaCella, 240),
                                       categorie[k]);
    c.style().bold = true;
    c.style().alignment = Qt::AlignRight;
  }
  for (int p = 0; p < DatiCommessa::NumParti; ++p) {
    const int y = kTitolo + (p + 1) * kAltezzaRiga;
    report::Label& parte = detail.addLabel(nomeEtichetta(25 + p), QRect(0, y, kLarghezzaParte, 240), parti[p]);
    parte.style().bold = p == DatiCommessa::Totale;
    for (int k = 0; k < DatiCommessa::NumCategorie; ++k) {
      report::Label& importo = detail.addLabel(
          nomeEtichetta(7 + 6 * p + k), QRect(kLarghezzaParte + k * kLarghezzaCella, y, kLarghezzaCella, 240), QString());
      importo.style().alignment = Qt::AlignRight;
      importo.style().bold = p == DatiCommessa::Totale;
    }
  }
}

void arp_o_det_datieco::Apri(const QString& CodCom) {
  db::Connection cn;
  cn.setCursorLocation(db::adUseClient);
  cn.Open(ConnString);
  const DatiCommessa dati = DatiCommessa::Leggi(cn, CodCom);
  cn.Close();
  for (int p = 0; p < DatiCommessa::NumParti; ++p)
    for (int k = 0; k < DatiCommessa::NumCategorie; ++k)
      static_cast<report::Label*>(control(nomeEtichetta(7 + 6 * p + k)))->setCaption(DatiCommessa::Testo(dati.V[p][k]));
}
