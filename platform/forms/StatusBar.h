#pragma once

#include <QStatusBar>
#include <QString>
#include <vector>

class QLabel;

namespace forms {

// A status bar of text panels, numbered from 0, laid side by side along the bottom of a window.
class StatusBar : public QStatusBar {
  Q_OBJECT

 public:
  explicit StatusBar(int panelCount, QWidget* parent = nullptr);

  int panelCount() const { return static_cast<int>(m_panels.size()); }
  void setPanelText(int panel, const QString& text);
  QString panelText(int panel) const;

 private:
  std::vector<QLabel*> m_panels;
};

}  // namespace forms
