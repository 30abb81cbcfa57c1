#include "common/comfrmSendError.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "core/Globals.h"
#include "platform/shell/Desktop.h"

namespace {

const QString kLineBreak = QStringLiteral("%0D%0A");

QString subject() { return "_err_app " + AppTitle + " " + ProgramVersion(); }

}  // namespace

comfrmSendError::comfrmSendError() : QDialog(nullptr) {
  setWindowTitle(QStringLiteral(" Errore"));
  lblTitle = new QLabel(QStringLiteral("Errore nell'applicazione"), this);
  QFont heading = lblTitle->font();
  heading.setBold(true);
  lblTitle->setFont(heading);
  const char* captions[] = {"Codice:", "Descrizione:", "Modulo:", "Routine:", "Sorgente:"};
  for (int i = 0; i < 10; ++i) {
    Label1[i] = new QLabel(i < 5 ? QString::fromUtf8(captions[i]) : QString(), this);
    Label1[i]->setTextFormat(Qt::PlainText);
    Label1[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  Label1[6]->setWordWrap(true);
  Label1[6]->setMinimumSize(320, 60);
  cmdSend = new QPushButton(QStringLiteral("Inviare"), this);
  cmdNoSend = new QPushButton(QStringLiteral("Non inviare"), this);

  auto* layout = new QGridLayout(this);
  layout->addWidget(lblTitle, 0, 0, 1, 3);
  // Shown top to bottom: code, description, source, module, routine.
  const int order[] = {0, 1, 4, 2, 3};
  for (int row = 0; row < 5; ++row) {
    layout->addWidget(Label1[order[row]], row + 1, 0);
    layout->addWidget(Label1[order[row] + 5], row + 1, 1, 1, 2);
  }
  layout->setColumnStretch(1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdSend);
  buttons->addWidget(cmdNoSend);
  layout->addLayout(buttons, 6, 0, 1, 3);

  connect(cmdSend, &QPushButton::clicked, this, &comfrmSendError::send);
  connect(cmdNoSend, &QPushButton::clicked, this, &QDialog::reject);
}

void comfrmSendError::Apri(const QString& Caption, const QString& Title, std::int32_t Number,
                           const QString& Description, const QString& Module, const QString& Routine,
                           const QString& Source) {
  comfrmSendError form;
  form.setWindowTitle(Caption);
  form.lblTitle->setText(Title);
  form.Label1[5]->setText(QString::number(Number));
  form.Label1[6]->setText(Description);
  form.Label1[7]->setText(Module);
  form.Label1[8]->setText(Routine);
  form.Label1[9]->setText(Source);
  form.exec();
}

QString comfrmSendError::supportAddress() { return QStringLiteral(SUPPORT_EMAIL); }

void comfrmSendError::send() {
  const QStringList lines = {"Codice: " + Label1[5]->text(), "Descrizione: " + Label1[6]->text(),
                             "Sorgente: " + Label1[9]->text(), "Modulo: " + Label1[7]->text(),
                             "Routine: " + Label1[8]->text()};
  SendMail(supportAddress(), QString(), QString(), subject(), lines.join(kLineBreak));
  accept();
}

// A missing mail program is not reported: the link simply opens nothing.
void comfrmSendError::SendMail(const QString& Recipient, const QString& CC, const QString& BCC,
                               const QString& Subject, const QString& Body) {
  shell::open(MailLink(Recipient, CC, BCC, Subject, Body));
}

QString comfrmSendError::MailLink(const QString& Recipient, const QString& CC, const QString& BCC,
                                  const QString& Subject, const QString& Body) {
  QString query;
  if (!CC.isEmpty()) query += "&CC=" + URLEncode(CC);
  if (!BCC.isEmpty()) query += "&BCC=" + URLEncode(BCC);
  if (!Subject.isEmpty()) query += "&Subject=" + Subject;
  if (!Body.isEmpty()) query += "&Body=" + URLEncode(Body);
  if (!query.isEmpty()) query[0] = '?';
  return "mailto:" + Recipient + query;
}

QString comfrmSendError::URLEncode(const QString& Text) {
  QString encoded;
  encoded.reserve(Text.size());
  for (const char byte : Text.toUtf8()) {
    const auto code = static_cast<unsigned char>(byte);
    // "#" would end the link's query for the mail program and cut the body there.
    if (code >= 0x20 && code <= 0x7E && code != '&' && code != '#')
      encoded += QChar(code);
    else
      encoded += QStringLiteral("%%1").arg(code, 2, 16, QChar('0')).toUpper();
  }
  return encoded;
}
