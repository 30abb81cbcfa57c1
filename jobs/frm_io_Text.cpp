#include "jobs/frm_io_Text.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/forms/WindowPlacement.h"

frm_io_Text::frm_io_Text(QWidget* parent)
    : QDialog(parent),
      txtText(new QPlainTextEdit(this)),
      cmdOK(new QPushButton(QStringLiteral("OK"), this)),
      cmdCancel(new QPushButton(QStringLiteral("Annulla"), this)) {
  setWindowTitle(QStringLiteral("Testo"));
  txtText->setObjectName(QStringLiteral("txtText"));
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  txtText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtText->setTabChangesFocus(true);
  txtText->setMinimumSize(420, 220);
  // Enter starts a new line of the text: no button takes it.
  cmdOK->setAutoDefault(false);
  cmdCancel->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(txtText, 1);
  layout->addLayout(buttons);
  connect(cmdOK, &QPushButton::clicked, this, [this] {
    m_Testo = txtText->toPlainText();
    accept();
  });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  // Annulla, Esc and the close box all hand back the empty text.
  connect(this, &QDialog::rejected, this, [this] { m_Testo.clear(); });
}

QString frm_io_Text::Testo(const QString& Text, QWidget* owner) {
  forms::setOwner(*this, owner);
  m_Testo.clear();
  txtText->setPlainText(Text);
  txtText->setFocus(Qt::OtherFocusReason);
  exec();
  const QString result = m_Testo;
  deleteLater();
  return result;
}
