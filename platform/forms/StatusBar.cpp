#include "platform/forms/StatusBar.h"

#include <QLabel>

namespace forms {

StatusBar::StatusBar(int panelCount, QWidget* parent) : QStatusBar(parent) {
  setSizeGripEnabled(false);
  for (int i = 0; i < panelCount; ++i) {
    auto* panel = new QLabel(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setObjectName(QStringLiteral("panel%1").arg(i));
    // The first panel takes the spare width; the others keep a readable minimum.
    addPermanentWidget(panel, i == 0 ? 1 : 0);
    if (i > 0) panel->setMinimumWidth(120);
    m_panels.push_back(panel);
  }
}

void StatusBar::setPanelText(int panel, const QString& text) {
  if (panel >= 0 && panel < panelCount()) m_panels[static_cast<size_t>(panel)]->setText(text);
}

QString StatusBar::panelText(int panel) const {
  if (panel < 0 || panel >= panelCount()) return QString();
  return m_panels[static_cast<size_t>(panel)]->text();
}

}  // namespace forms
