#include "common/comfrmDateSelect.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

comfrmDateSelect::comfrmDateSelect(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      mv(new QCalendarWidget(this)),
      cmdOK(new QPushButton(QStringLiteral("OK"), this)),
      cmdCancel(new QPushButton(QStringLiteral("Annulla"), this)),
      m_Result(Variant::null()) {
  mv->setObjectName(QStringLiteral("mv"));
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  mv->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mv);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(cmdOK, &QPushButton::clicked, this, [this] {
    m_Result = Variant(mv->selectedDate());
    accept();
  });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

Variant comfrmDateSelect::Apri(const QString& Title, QWidget* Owner) {
  comfrmDateSelect dialog(Owner ? Owner : QApplication::activeWindow());
  dialog.setWindowTitle(Title);
  dialog.exec();
  return dialog.m_Result;
}
