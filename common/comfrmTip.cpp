#include "common/comfrmTip.h"

#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextStream>

#include "core/Globals.h"
#include "core/comRegistry.h"
#include "core/comUtility.h"

namespace {

const QString kSetting = QStringLiteral("regLoadTipsAtStartup");

Variant readSetting() {
  comRegistry reg;
  return reg.ValueEx(HKEY_CURRENT_USER, RegKeySettings, kSetting, REG_DWORD, Variant(std::int32_t(1)));
}

// A settings store that cannot be written leaves the choice for this run only.
void writeSetting(bool show) {
  comRegistry reg;
  try {
    reg.setValueEx(HKEY_CURRENT_USER, RegKeySettings, kSetting, REG_DWORD, Variant(std::int32_t(1)),
                   Variant(std::int32_t(show ? 1 : 0)));
  } catch (const RegistryError&) {
  }
}

}  // namespace

comfrmTip::comfrmTip()
    : QDialog(nullptr), m_random(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch())) {
  setWindowTitle(QStringLiteral(" Suggerimento del giorno"));
  Label1 = new QLabel(QStringLiteral("Non tutti sanno che ..."), this);
  QFont heading = Label1->font();
  heading.setBold(true);
  heading.setPointSizeF(heading.pointSizeF() * 1.3);
  Label1->setFont(heading);
  lblTipText = new QLabel(this);
  lblTipText->setWordWrap(true);
  lblTipText->setTextFormat(Qt::PlainText);
  lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblTipText->setMinimumSize(360, 120);
  lblTipText->setFrameShape(QFrame::StyledPanel);
  lblTipText->setMargin(8);
  chkLoadTipsAtStartup = new QCheckBox(QStringLiteral("&Mostra i suggerimenti all'avvio"), this);
  cmdNextTip = new QPushButton(QStringLiteral("&Successivo"), this);
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setDefault(true);
  auto* layout = new QGridLayout(this);
  layout->addWidget(Label1, 0, 0, 1, 3);
  layout->addWidget(lblTipText, 1, 0, 1, 3);
  layout->addWidget(chkLoadTipsAtStartup, 2, 0);
  layout->addWidget(cmdNextTip, 2, 1);
  layout->addWidget(cmdOK, 2, 2);
  layout->setColumnStretch(0, 1);

  connect(chkLoadTipsAtStartup, &QCheckBox::toggled, this, [](bool ticked) { writeSetting(ticked); });
  connect(cmdNextTip, &QPushButton::clicked, this, &comfrmTip::nextTip);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

  chkLoadTipsAtStartup->setChecked(true);
  if (!LoadTips(ProgramFolder() + "/" + TipsFile)) lblTipText->setText("File " + TipsFile + " non trovato.");
}

void comfrmTip::ShowTip() {
  if (NzNum(readSetting(), 1) == 0) return;
  comfrmTip form;
  form.exec();
}

bool comfrmTip::LoadTips(const QString& FileName) {
  QFile file(FileName);
  if (FileName.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
  QTextStream in(&file);
  while (!in.atEnd()) m_tips << in.readLine();
  nextTip();
  return true;
}

void comfrmTip::DisplayCurrentTip() {
  if (!m_tips.isEmpty()) lblTipText->setText(m_tips.value(m_current - 1));
}

// A tip other than the one on display; with fewer than two tips there is no other, and the first
// stays.
void comfrmTip::nextTip() {
  const std::int32_t count = static_cast<std::int32_t>(m_tips.size());
  std::int32_t drawn = 1;
  if (count >= 2) {
    do drawn = static_cast<std::int32_t>(m_random.generateDouble() * count) + 1;
    while (drawn == m_current);
  }
  m_current = drawn;
  DisplayCurrentTip();
}
