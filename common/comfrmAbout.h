#pragma once

#include <QDialog>
#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

// The about box and the start-up splash, one window serving both. As a splash it has no frame, is
// cut at the divider line (the buttons are below it) and stays up at least for the time the caller
// asked for.
class comfrmAbout : public QDialog {
  Q_OBJECT

 public:
  // Reached as the single shared instance (forms::SharedInstance), created on first use.
  comfrmAbout();

  // Shows the about box modally, owned by Owner, with PathText under the version; returns when closed.
  void About(QWidget* Owner, const QString& PathText);
  // Shows the splash owned by Owner and returns at once; it stays up at least Duration ms (0: no
  // minimum). Does nothing while the window is already shown.
  void SplashOn(QWidget* Owner, std::int32_t Duration, const QString& PathText);
  // Waits, handling events, until the splash's minimum time has passed, then takes it down.
  void SplashOff();

  // Whether the window shows without its frame, as a splash.
  bool captionRemoved() const { return m_captionRemoved; }
  // The window's height as an about box, in pixels.
  int fullHeight() const { return m_fullHeight; }

  QLabel* imgIcon;
  QLabel* lblTitle;
  QLabel* lblVersion;
  QLabel* lblCompanyName;
  QLabel* lblPathEXE;
  QLabel* lblMain;
  QLabel* lblWeb;
  QLabel* lblWarning;
  QFrame* linDivide;
  QPushButton* cmdOK;
  QPushButton* cmdSysInfo;
  QTimer* Timer1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void takeOwner(QWidget* Owner);
  // Places the window in the middle of the screen (a splash before its owner is shown).
  void centerOnScreen();
  void removeCaption();
  void restoreCaption();
  void openContact(const QString& link);

  int m_fullHeight = 0;
  bool m_captionRemoved = false;
};
