#include "platform/grid/PrintSettings.h"

namespace grid {

PrintSettings::PrintSettings() : m_headerFooterFont(QStringLiteral("Tahoma"), 9) {}

QString PrintSettings::headerText(int position) const {
  return position >= PrintLeft && position <= PrintRight ? m_header[static_cast<size_t>(position - 1)]
                                                         : QString();
}

void PrintSettings::setHeaderText(int position, const QString& text) {
  if (position >= PrintLeft && position <= PrintRight) m_header[static_cast<size_t>(position - 1)] = text;
}

QString PrintSettings::footerText(int position) const {
  return position >= PrintLeft && position <= PrintRight ? m_footer[static_cast<size_t>(position - 1)]
                                                         : QString();
}

void PrintSettings::setFooterText(int position, const QString& text) {
  if (position >= PrintLeft && position <= PrintRight) m_footer[static_cast<size_t>(position - 1)] = text;
}

}  // namespace grid
