#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

// The editor of one long text (the extended description of a quote or template line): modal, OK
// hands back the text, "Annulla" and the close box hand back the empty text.
class frm_io_Text : public QDialog {
  Q_OBJECT

 public:
  explicit frm_io_Text(QWidget* parent = nullptr);

  // Shows Text for editing and returns the edited text, or the empty text when the user cancelled.
  // The window is owned by owner (none when nullptr) and unloaded afterwards.
  QString Testo(const QString& Text, QWidget* owner = nullptr);

  QPlainTextEdit* txtText;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 private:
  QString m_Testo;
};
