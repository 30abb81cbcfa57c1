#include "reports/arp_o_det_datieco.h"

#include "core/Globals.h"
#include "core/JobSummary.h"
#include "platform/db/Connection.h"

namespace {

constexpr int kPartWidth = 1246;
constexpr int kCellWidth = 1400;
constexpr int kRowHeight = 270;
constexpr int kTitleHeight = 300;
const QString kAmountFormat = QStringLiteral("##,##0.00 ");

QString labelName(int number) { return QStringLiteral("Label%1").arg(number); }

}  // namespace

arp_o_det_datieco::arp_o_det_datieco() {
  report::Section& detail =
      addSection(report::SectionType::Detail, QStringLiteral("Detail"), kTitleHeight + 4 * kRowHeight + 120);
  report::Label& title = detail.addLabel(QStringLiteral("lblTitolo"), QRect(0, 0, 6000, 260),
                                         QStringLiteral("Riepilogo dati economici"));
  title.style().bold = true;
  const QString categories[] = {QStringLiteral("Vendita"),     QStringLiteral("Totale Costi"),
                                QStringLiteral("Manodopera"),  QStringLiteral("Materiali"),
                                QStringLiteral("Altri Costi"), QStringLiteral("Utile/Perdita")};
  const QString parts[] = {QStringLiteral("Preventivo"), QStringLiteral("In economia"),
                           QStringLiteral("Totale")};
  for (int k = 0; k < JobSummary::CategoryCount; ++k) {
    report::Label& c = detail.addLabel(
        labelName(1 + k), QRect(kPartWidth + k * kCellWidth, kTitleHeight, kCellWidth, 240), categories[k]);
    c.style().bold = true;
    c.style().alignment = Qt::AlignRight;
  }
  for (int p = 0; p < JobSummary::PartCount; ++p) {
    const int y = kTitleHeight + (p + 1) * kRowHeight;
    report::Label& part = detail.addLabel(labelName(25 + p), QRect(0, y, kPartWidth, 240), parts[p]);
    part.style().bold = p == JobSummary::Total;
    for (int k = 0; k < JobSummary::CategoryCount; ++k) {
      report::Label& amount = detail.addLabel(
          labelName(7 + 6 * p + k), QRect(kPartWidth + k * kCellWidth, y, kCellWidth, 240), QString());
      amount.style().alignment = Qt::AlignRight;
      amount.style().bold = p == JobSummary::Total;
    }
  }
}

void arp_o_det_datieco::Apri(const QString& CodCom) {
  db::Connection cn;
  cn.setCursorLocation(db::adUseClient);
  cn.Open(ConnString);
  const JobSummary summary = JobSummary::read(cn, CodCom);
  cn.Close();
  for (int p = 0; p < JobSummary::PartCount; ++p)
    for (int k = 0; k < JobSummary::CategoryCount; ++k)
      controlAs<report::Label>(labelName(7 + 6 * p + k)).setValue(Variant(summary.V[p][k]), kAmountFormat);
}
