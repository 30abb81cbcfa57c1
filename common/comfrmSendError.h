#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

class QLabel;
class QPushButton;

// The error report: the details of a run-time error, and the offer to send them to the maker's
// support through the user's mail program.
class comfrmSendError : public QDialog {
  Q_OBJECT

 public:
  // Shows the error modally; returns when the window is closed.
  static void Apri(const QString& Caption, const QString& Title, std::int32_t Number,
                   const QString& Description, const QString& Module, const QString& Routine,
                   const QString& Source);

  // Opens the mail program on a message to Recipient with the given copies, subject and body. The
  // subject goes into the link as it is; the other parts are encoded.
  static void SendMail(const QString& Recipient, const QString& CC, const QString& BCC,
                       const QString& Subject, const QString& Body);
  // The "mailto:" link SendMail opens.
  static QString MailLink(const QString& Recipient, const QString& CC, const QString& BCC,
                          const QString& Subject, const QString& Body);
  // Printable ASCII stays as it is, except "&"; every other character becomes the percent-escapes of
  // its UTF-8 bytes ("&" %26, a line feed %0A, "è" %C3%A8).
  static QString URLEncode(const QString& Text);

  // The support address the report goes to.
  static QString supportAddress();

  QLabel* lblTitle;
  // 0-4 the captions "Codice:", "Descrizione:", "Modulo:", "Routine:", "Sorgente:"; 5-9 the number,
  // description, module, routine and source.
  std::array<QLabel*, 10> Label1;
  QPushButton* cmdSend;
  QPushButton* cmdNoSend;

 private:
  comfrmSendError();
  void send();
};
