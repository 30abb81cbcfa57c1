#include "reports/arp_o_Com01.h"

#include "core/Globals.h"
#include "platform/runtime/Format.h"
#include "reports/arp_com_det_prev.h"
#include "reports/arp_o_det_AC.h"
#include "reports/arp_o_det_datieco.h"
#include "reports/arp_o_det_manodopera.h"
#include "reports/arp_o_det_materiali.h"

namespace {

constexpr int kLarghezza = 9746;
constexpr int kEtichetta = 1700;
constexpr int kRiga = 270;
constexpr int kColonnaData = 1580;
const QString FormatoData = QStringLiteral("dd-mm-yyyy");

report::Label& etichetta(report::Section& s, const QString& nome, const QRect& r, const QString& testo) {
  report::Label& l = s.addLabel(nome, r, testo);
  l.style().bold = true;
  return l;
}

}  // namespace

arp_o_Com01::arp_o_Com01() {
  setCaption(QStringLiteral("Commesse"));
  setDocumentName(QStringLiteral("Stampa Commesse"));
  setPrintWidth(kLarghezza);

  report::Section& testata = addSection(report::SectionType::PageHeader, QStringLiteral("PageHeader"), 760);
  report::Label& titolo = testata.addLabel(QStringLiteral("lblTitle"), QRect(0, 0, kLarghezza, 360), QString());
  titolo.style().pointSize = 14;
  titolo.style().bold = true;
  testata.addLabel(QStringLiteral("lblFilter"), QRect(0, 380, kLarghezza, 260), QString());
  testata.addLine(QStringLiteral("Line1"), QPoint(0, 700), QPoint(kLarghezza, 700), 20);

  report::Section& d = addSection(report::SectionType::Detail, QStringLiteral("Detail"), 2250);
  etichetta(d, QStringLiteral("lblCodCom"), QRect(0, 120, kEtichetta, 240), QStringLiteral("Codice:"));
  report::Field& codice = d.addField(QStringLiteral("txtCodCom"), QRect(kEtichetta, 120, 2400, 240), QStringLiteral("CodCom"));
  codice.style().bold = true;
  etichetta(d, QStringLiteral("lblNome"), QRect(4000, 120, 1000, 240), QStringLiteral("Cliente:"));
  d.addField(QStringLiteral("txtNome"), QRect(5000, 120, kLarghezza - 5000, 240), QStringLiteral("Nome"));
  etichetta(d, QStringLiteral("lblDesCom"), QRect(0, 120 + kRiga, kEtichetta, 240), QStringLiteral("Descrizione:"));
  d.addField(QStringLiteral("txtDesCom"), QRect(kEtichetta, 120 + kRiga, kLarghezza - kEtichetta, 240),
             QStringLiteral("DesCom"));
  etichetta(d, QStringLiteral("lblResponsabile"), QRect(0, 120 + 2 * kRiga, kEtichetta, 240),
            QStringLiteral("Responsabile:"));
  d.addField(QStringLiteral("txtResponsabile"), QRect(kEtichetta, 120 + 2 * kRiga, kLarghezza - kEtichetta, 240),
             QStringLiteral("Responsabile"));

  const int yDate = 120 + 3 * kRiga + 60;
  etichetta(d, QStringLiteral("lblDate"), QRect(0, yDate + 230, kEtichetta, 240), QStringLiteral("Date Commessa:"));
  const QString didascalie[] = {QStringLiteral("creata il"), QStringLiteral("consegna prevista"),
                                QStringLiteral("consegnata il"), QStringLiteral("chiusa il"),
                                QStringLiteral("scad. garanzia")};
  const QString campi[] = {QStringLiteral("DataInizio"), QStringLiteral("DataConPre"), QStringLiteral("DataConsegna"),
                           QStringLiteral("DataFine"), QStringLiteral("ScadenzaGaranzia")};
  for (int i = 0; i < 5; ++i) {
    const int x = kEtichetta + 100 + i * kColonnaData;
    report::Label& didascalia =
        d.addLabel(QStringLiteral("lblData%1").arg(i + 1), QRect(x, yDate, kColonnaData - 60, 220), didascalie[i]);
    didascalia.style().pointSize = 8;
    didascalia.style().italic = true;
    d.addField("txt" + campi[i], QRect(x, yDate + 230, kColonnaData - 60, 240), campi[i], FormatoData);
  }

  const int ySotto = yDate + 230 + 240 + 120;
  for (int i = 1; i <= NumSottoReport; ++i)
    d.addSubReport(QStringLiteral("SubReport%1").arg(i), QRect(0, ySotto + (i - 1) * 160, kLarghezza, 100));
  d.addLine(QStringLiteral("Line2"), QPoint(0, ySotto + NumSottoReport * 160 + 60),
            QPoint(kLarghezza, ySotto + NumSottoReport * 160 + 60), 10);
  d.setHeight(ySotto + NumSottoReport * 160 + 120);
}

report::SubReport* arp_o_Com01::SubReport(int numero) const {
  return static_cast<report::SubReport*>(control(QStringLiteral("SubReport%1").arg(numero)));
}

void arp_o_Com01::ReportStart() {
  SubReport(1)->setReport(std::make_unique<arp_o_det_datieco>());
  SubReport(2)->setReport(std::make_unique<arp_com_det_prev>());
  SubReport(3)->setReport(std::make_unique<arp_o_det_manodopera>());
  SubReport(4)->setReport(std::make_unique<arp_o_det_materiali>());
  SubReport(5)->setReport(std::make_unique<arp_o_det_AC>());
}

void arp_o_Com01::FetchData(bool eof) {
  if (!eof) m_CodCom = dc1.value(QStringLiteral("CodCom")).toString();
}

void arp_o_Com01::Format(report::Section& section) {
  if (section.type() == report::SectionType::Detail) FormattaDettaglio();
}

void arp_o_Com01::FormattaDettaglio() {
  SubReport(1)->reportAs<arp_o_det_datieco>()->Apri(m_CodCom);
  const QString sorgenti[] = {arp_com_det_prev::Query(m_CodCom), arp_o_det_manodopera::Query(m_CodCom),
                              arp_o_det_materiali::Query(m_CodCom), arp_o_det_AC::Query(m_CodCom)};
  for (int i = 2; i <= NumSottoReport; ++i) {
    report::Report* sotto = SubReport(i)->report();
    sotto->dc1.setConnectionString(ConnString);
    sotto->dc1.setSource(sorgenti[i - 2]);
  }
  DataSeFlag(QStringLiteral("txtDataFine"), QStringLiteral("Chiusa"), QStringLiteral("DataFine"));
  DataSeFlag(QStringLiteral("txtDataConsegna"), QStringLiteral("Consegnata"), QStringLiteral("DataConsegna"));
  DataSeFlag(QStringLiteral("txtScadenzaGaranzia"), QStringLiteral("InGaranzia"), QStringLiteral("ScadenzaGaranzia"));
}

// A date that only counts once its flag is set; "...." until then.
void arp_o_Com01::DataSeFlag(const QString& campo, const QString& flag, const QString& data) {
  auto* field = static_cast<report::Field*>(control(campo));
  field->setText(dc1.value(flag).toBool() ? ::Format(dc1.value(data), FormatoData) : QStringLiteral("...."));
}

void arp_o_Com01::ReportEnd() {
  for (int i = 1; i <= NumSottoReport; ++i) SubReport(i)->clearReport();
}
