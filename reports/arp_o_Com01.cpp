#include "reports/arp_o_Com01.h"

#include "core/Globals.h"
#include "reports/arp_com_det_prev.h"
#include "reports/arp_o_det_AC.h"
#include "reports/arp_o_det_datieco.h"
#include "reports/arp_o_det_manodopera.h"
#include "reports/arp_o_det_materiali.h"

namespace {

constexpr int kWidth = 9746;
constexpr int kLabelWidth = 1700;
constexpr int kLineHeight = 270;
constexpr int kDateColumnWidth = 1580;
const QString kDateFormat = QStringLiteral("dd-mm-yyyy");

report::Label& addCaption(report::Section& s, const QString& name, const QRect& r, const QString& text) {
  report::Label& l = s.addLabel(name, r, text);
  l.style().bold = true;
  return l;
}

}  // namespace

arp_o_Com01::arp_o_Com01() {
  setCaption(QStringLiteral("Commesse"));
  setDocumentName(QStringLiteral("Stampa Commesse"));
  setPrintWidth(kWidth);

  report::Section& header = addSection(report::SectionType::PageHeader, QStringLiteral("PageHeader"), 760);
  report::Label& title = header.addLabel(QStringLiteral("lblTitle"), QRect(0, 0, kWidth, 360), QString());
  title.style().pointSize = 14;
  title.style().bold = true;
  header.addLabel(QStringLiteral("lblFilter"), QRect(0, 380, kWidth, 260), QString());
  header.addLine(QStringLiteral("Line1"), QPoint(0, 700), QPoint(kWidth, 700), 20);

  report::Section& d = addSection(report::SectionType::Detail, QStringLiteral("Detail"), 2250);
  addCaption(d, QStringLiteral("lblCodCom"), QRect(0, 120, kLabelWidth, 240), QStringLiteral("Codice:"));
  report::Field& code =
      d.addField(QStringLiteral("txtCodCom"), QRect(kLabelWidth, 120, 2400, 240), QStringLiteral("CodCom"));
  code.style().bold = true;
  addCaption(d, QStringLiteral("lblNome"), QRect(4000, 120, 1000, 240), QStringLiteral("Cliente:"));
  d.addField(QStringLiteral("txtNome"), QRect(5000, 120, kWidth - 5000, 240), QStringLiteral("Nome"));
  addCaption(d, QStringLiteral("lblDesCom"), QRect(0, 120 + kLineHeight, kLabelWidth, 240),
             QStringLiteral("Descrizione:"));
  d.addField(QStringLiteral("txtDesCom"), QRect(kLabelWidth, 120 + kLineHeight, kWidth - kLabelWidth, 240),
             QStringLiteral("DesCom"));
  addCaption(d, QStringLiteral("lblResponsabile"), QRect(0, 120 + 2 * kLineHeight, kLabelWidth, 240),
             QStringLiteral("Responsabile:"));
  d.addField(QStringLiteral("txtResponsabile"),
             QRect(kLabelWidth, 120 + 2 * kLineHeight, kWidth - kLabelWidth, 240),
             QStringLiteral("Responsabile"));

  const int yDate = 120 + 3 * kLineHeight + 60;
  addCaption(d, QStringLiteral("lblDate"), QRect(0, yDate + 230, kLabelWidth, 240),
             QStringLiteral("Date Commessa:"));
  const QString captions[] = {QStringLiteral("creata il"), QStringLiteral("consegna prevista"),
                              QStringLiteral("consegnata il"), QStringLiteral("chiusa il"),
                              QStringLiteral("scad. garanzia")};
  const QString fields[] = {QStringLiteral("DataInizio"), QStringLiteral("DataConPre"),
                            QStringLiteral("DataConsegna"), QStringLiteral("DataFine"),
                            QStringLiteral("ScadenzaGaranzia")};
  for (int i = 0; i < 5; ++i) {
    const int x = kLabelWidth + 100 + i * kDateColumnWidth;
    report::Label& caption = d.addLabel(QStringLiteral("lblData%1").arg(i + 1),
                                        QRect(x, yDate, kDateColumnWidth - 60, 220), captions[i]);
    caption.style().pointSize = 8;
    caption.style().italic = true;
    d.addField("txt" + fields[i], QRect(x, yDate + 230, kDateColumnWidth - 60, 240), fields[i], kDateFormat);
  }

  const int ySubReports = yDate + 230 + 240 + 120;
  for (int i = 1; i <= SubReportCount; ++i)
    d.addSubReport(QStringLiteral("SubReport%1").arg(i), QRect(0, ySubReports + (i - 1) * 160, kWidth, 100));
  d.addLine(QStringLiteral("Line2"), QPoint(0, ySubReports + SubReportCount * 160 + 60),
            QPoint(kWidth, ySubReports + SubReportCount * 160 + 60), 10);
  d.setHeight(ySubReports + SubReportCount * 160 + 120);
}

report::SubReport* arp_o_Com01::SubReport(int number) const {
  return &controlAs<report::SubReport>(QStringLiteral("SubReport%1").arg(number));
}

void arp_o_Com01::ReportStart() {
  m_CodCom.clear();
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
  if (section.type() == report::SectionType::Detail) formatDetail();
}

void arp_o_Com01::formatDetail() {
  SubReport(1)->reportAs<arp_o_det_datieco>()->Apri(m_CodCom);
  const QString sources[] = {arp_com_det_prev::Query(m_CodCom), arp_o_det_manodopera::Query(m_CodCom),
                             arp_o_det_materiali::Query(m_CodCom), arp_o_det_AC::Query(m_CodCom)};
  for (int i = 2; i <= SubReportCount; ++i) {
    report::Report* subReport = SubReport(i)->report();
    subReport->dc1.setConnectionString(ConnString);
    subReport->dc1.setSource(sources[i - 2]);
  }
  showDateIf(QStringLiteral("txtDataFine"), QStringLiteral("Chiusa"));
  showDateIf(QStringLiteral("txtDataConsegna"), QStringLiteral("Consegnata"));
  showDateIf(QStringLiteral("txtScadenzaGaranzia"), QStringLiteral("InGaranzia"));
}

// A date that only counts once its flag is set; "...." until then. A shown date keeps its value, so
// that an export writes it as a date.
void arp_o_Com01::showDateIf(const QString& fieldName, const QString& flag) {
  if (!dc1.value(flag).toBool()) controlAs<report::Field>(fieldName).setText(QStringLiteral("...."));
}

void arp_o_Com01::ReportEnd() {
  for (int i = 1; i <= SubReportCount; ++i) SubReport(i)->clearReport();
}

QString arp_o_Com01::recordInError() const { return m_CodCom.isEmpty() ? QString() : "commessa " + m_CodCom; }
