#include "common/comfrmAbout.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "core/Globals.h"
#include "platform/shell/Desktop.h"

namespace {

const QString kContactEmail = QStringLiteral(CONTACT_EMAIL);
const QString kContactWeb = QStringLiteral(CONTACT_WEB);

QLabel* makeLabel(QWidget* parent, const QRect& geometry, const QString& text = QString()) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(geometry);
  return label;
}

QLabel* makeLink(QWidget* parent, const QRect& geometry, const QString& text) {
  QLabel* label = makeLabel(parent, geometry, text);
  QFont font = label->font();
  font.setUnderline(true);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
  label->setPalette(palette);
  label->setCursor(Qt::PointingHandCursor);
  return label;
}

QString companyText() {
  const QString company = QCoreApplication::organizationName();
  return company.isEmpty() ? QString() : "Prodotto da: " + company;
}

}  // namespace

comfrmAbout::comfrmAbout() : QDialog(nullptr) {
  setWindowTitle(AppTitle);
  setFixedWidth(420);
  resize(420, 250);

  imgIcon = makeLabel(this, QRect(16, 16, 32, 32));
  lblTitle = makeLabel(this, QRect(70, 12, 330, 26), AppTitle);
  QFont titleFont = lblTitle->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
  lblTitle->setFont(titleFont);
  lblVersion = makeLabel(this, QRect(70, 42, 330, 18), "Versione " + ProgramVersion());
  lblCompanyName = makeLabel(this, QRect(70, 62, 330, 18), companyText());
  lblPathEXE = makeLabel(this, QRect(70, 84, 330, 34));
  lblPathEXE->setWordWrap(true);
  lblPathEXE->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblMain = makeLink(this, QRect(70, 122, 330, 18), kContactEmail);
  lblWeb = makeLink(this, QRect(70, 142, 330, 18), kContactWeb);
  lblMain->installEventFilter(this);
  lblWeb->installEventFilter(this);

  linDivide = new QFrame(this);
  linDivide->setFrameShape(QFrame::HLine);
  linDivide->setFrameShadow(QFrame::Sunken);
  linDivide->setGeometry(8, 168, 404, 2);

  lblWarning = makeLabel(this, QRect(16, 180, 260, 60));
  lblWarning->setWordWrap(true);
  cmdOK = new QPushButton(QStringLiteral("Chiudi"), this);
  cmdOK->setGeometry(296, 180, 110, 28);
  cmdOK->setDefault(true);
  cmdSysInfo = new QPushButton(QStringLiteral("&Info Sistema ..."), this);
  cmdSysInfo->setGeometry(296, 214, 110, 28);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

  Timer1 = new QTimer(this);
  Timer1->setSingleShot(true);

  m_fullHeight = height();
}

void comfrmAbout::takeOwner(QWidget* Owner) {
  if (Owner != parentWidget()) setParent(Owner, windowFlags());
  imgIcon->setPixmap(Owner ? Owner->windowIcon().pixmap(32, 32) : QPixmap());
}

void comfrmAbout::About(QWidget* Owner, const QString& PathText) {
  takeOwner(Owner);
  cmdOK->setEnabled(true);
  cmdSysInfo->setEnabled(true);
  lblPathEXE->setText(PathText);
  restoreCaption();
  resize(width(), m_fullHeight);
  // Centred on its owner, wherever the splash stood.
  setAttribute(Qt::WA_Moved, false);
  exec();
}

void comfrmAbout::SplashOn(QWidget* Owner, std::int32_t Duration, const QString& PathText) {
  if (isVisible()) return;
  takeOwner(Owner);
  cmdOK->setEnabled(false);
  cmdSysInfo->setEnabled(false);
  if (Duration > 0) Timer1->start(Duration);
  lblPathEXE->setText(PathText);
  removeCaption();
  resize(width(), linDivide->y());
  if (!Owner || !Owner->isVisible()) centerOnScreen();
  show();
  repaint();
}

void comfrmAbout::SplashOff() {
  if (!isVisible()) return;
  while (Timer1->isActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  hide();
  restoreCaption();
  resize(width(), m_fullHeight);
}

void comfrmAbout::centerOnScreen() {
  const QScreen* schermo = QGuiApplication::primaryScreen();
  if (!schermo) return;
  QRect area = geometry();
  area.moveCenter(schermo->availableGeometry().center());
  move(area.topLeft());
}

void comfrmAbout::removeCaption() {
  if (m_captionRemoved) return;
  m_captionRemoved = true;
  setWindowFlag(Qt::FramelessWindowHint, true);
}

void comfrmAbout::restoreCaption() {
  if (!m_captionRemoved) return;
  m_captionRemoved = false;
  setWindowFlag(Qt::FramelessWindowHint, false);
}

bool comfrmAbout::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == lblMain) openContact("mailto:" + kContactEmail);
    if (watched == lblWeb) openContact(kContactWeb);
  }
  return QDialog::eventFilter(watched, event);
}

void comfrmAbout::openContact(const QString& link) {
  QApplication::setOverrideCursor(Qt::BusyCursor);
  shell::open(link);
  QApplication::restoreOverrideCursor();
}
