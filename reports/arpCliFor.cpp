#include "reports/arpCliFor.h"

namespace {

// The first character of a name in capitals, since the list is sorted without regard to case;
// empty for an empty or missing name.
QString initial(const Variant& name) {
  const QString text = name.toString();
  if (text.isEmpty()) return QString();
  return text.left(text.at(0).isHighSurrogate() && text.size() > 1 ? 2 : 1).toUpper();
}

}  // namespace

arpCliFor::arpCliFor()
    : ListReport(QStringLiteral("lblTitle"), QString(), QStringLiteral("Line5"),
                 {{QStringLiteral("lblCliFor_Nome"), QStringLiteral("Nome"), QStringLiteral("txtCliFor_Nome"),
                   QStringLiteral("Nome"), 0, 3000},
                  {QStringLiteral("lblCliFor_Localit"), QStringLiteral("Località"),
                   QStringLiteral("txtCliFor_Localit"), QStringLiteral("Località"), 3060, 2100},
                  {QString(), QString(), QStringLiteral("Field1"), QStringLiteral("Prov"), 5220, 480},
                  {QStringLiteral("lblCliFor_Telefono"), QStringLiteral("Telefono"),
                   QStringLiteral("txtCliFor_Telefono"), QStringLiteral("Telefono"), 5760, 1300},
                  {QStringLiteral("lblCliFor_Cellulare"), QStringLiteral("Cellulare"),
                   QStringLiteral("txtCliFor_Cellulare"), QStringLiteral("Cellulare"), 7120, 1300},
                  {QStringLiteral("lblCliFor_Fax"), QStringLiteral("Fax"), QStringLiteral("txtCliFor_Fax"),
                   QStringLiteral("Fax"), 8480, Width - 8480}},
                 QStringLiteral("Line2")),
      ghOrderGroup(&addGroupHeader(QStringLiteral("ghOrderGroup"), 440)) {
  report::Label& letter =
      ghOrderGroup->addLabel(QStringLiteral("lblLetter"), QRect(0, 80, 1000, 300), QString());
  letter.style().pointSize = 12;
  letter.style().bold = true;
  ghOrderGroup->addLine(QStringLiteral("Line4"), QPoint(0, 400), QPoint(3000, 400), 10);
  report::Section& gf = addGroupFooter(QStringLiteral("GroupFooter1"), 120, *ghOrderGroup);
  gf.addLine(QStringLiteral("Line3"), QPoint(0, 60), QPoint(Width, 60), 10);
}

// Each record opens a new group when its name starts with another letter than the record before.
void arpCliFor::FetchData(bool eof) {
  if (eof) return;
  const QString letter = initial(dc1.value(QStringLiteral("Nome")));
  ghOrderGroup->setBreakValue(Variant(letter));
  ghOrderGroup->controlAs<report::Label>(QStringLiteral("lblLetter")).setCaption(letter);
}
