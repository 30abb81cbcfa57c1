#pragma once

#include <QDialog>
#include <QRandomGenerator>
#include <QStringList>
#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;

// The tip of the day: one tip drawn at random from the tips file beside the program, another one on
// request, and the choice of showing the tips at start-up (the settings value regLoadTipsAtStartup).
class comfrmTip : public QDialog {
  Q_OBJECT

 public:
  static inline const QString TipsFile = QStringLiteral("TIPOFDAY.TXT");

  // Shows the tips modally, unless the user chose not to see them at start-up.
  static void ShowTip();

  // Reads the tips, one per line, and draws the first. False when there is no such file.
  bool LoadTips(const QString& FileName);
  // Shows the current tip; does nothing while there are no tips.
  void DisplayCurrentTip();

  // The tip on display, counted from 1; 0 before the first draw.
  std::int32_t currentTip() const { return m_current; }
  const QStringList& tips() const { return m_tips; }

  QLabel* Label1;
  QLabel* lblTipText;
  QCheckBox* chkLoadTipsAtStartup;
  QPushButton* cmdNextTip;
  QPushButton* cmdOK;

 private:
  comfrmTip();
  void nextTip();

  QStringList m_tips;
  std::int32_t m_current = 0;
  QRandomGenerator m_random;
};
