#include "reports/comfrmPrintProgress.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

comfrmPrintProgress::comfrmPrintProgress(QWidget* parent)
    : QDialog(parent),
      lblPrintWhere(new QLabel(this)),
      lblPercent(new QLabel(this)),
      cmdCancel(new QPushButton(QStringLiteral("Annulla"), this)) {
  setObjectName(QStringLiteral("comfrmPrintProgress"));
  setWindowTitle(QStringLiteral("Stampa"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblPrintWhere);
  layout->addWidget(lblPercent);
  layout->addWidget(cmdCancel, 0, Qt::AlignHCenter);
  setMinimumWidth(360);
  connect(cmdCancel, &QPushButton::clicked, this, &QWidget::hide);
}
