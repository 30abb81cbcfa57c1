#include "jobs/frm_show_ComData.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/Globals.h"
#include "core/JobSummary.h"
#include "core/MainWindowHooks.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/WindowPlacement.h"

namespace {

const char* const CategoryCaptions[] = {"Vendita",   "Costi",       "Manodopera",
                                        "Materiali", "Altri Costi", "Utile/Perdita"};
const char* const PartCaptions[] = {" Preventivo", " In economia", " Totale"};

QLabel* cell(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setFrameShape(QFrame::Panel);
  label->setFrameShadow(QFrame::Sunken);
  label->setMinimumWidth(100);
  return label;
}

}  // namespace

frm_show_ComData::frm_show_ComData(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      SSTab1(new QTabWidget(this)) {
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  auto* page = new QWidget;
  SSTab1->addTab(page, QStringLiteral("Dati Economici Generali"));
  for (const char* tab : {"Stima/Reale Preventivo", "Tab 2", "Tab 3", "Tab 4"})
    SSTab1->addTab(new QWidget, QString::fromUtf8(tab));

  auto* grid = new QGridLayout(page);
  const auto caption = [&](const QString& text, int row, int column) {
    auto* label = new QLabel(text, page);
    lblCap.push_back(label);
    grid->addWidget(label, row, column);
  };
  for (int k = 0; k < JobSummary::CategoryCount; ++k)
    caption(QString::fromUtf8(CategoryCaptions[k]), 0, k + 1);
  for (int p = 0; p < JobSummary::PartCount; ++p) {
    caption(QString::fromUtf8(PartCaptions[p]), p + 1, 0);
    for (int k = 0; k < JobSummary::CategoryCount; ++k) {
      lblData.push_back(cell(page, QStringLiteral("lblData%1").arg(lblData.size())));
      grid->addWidget(lblData.back(), p + 1, k + 1);
    }
  }
  caption(QStringLiteral("Ore lavorate"), 4, 0);
  for (int p = 0; p < 2; ++p) {
    caption(QString::fromUtf8(PartCaptions[p]), p + 5, 0);
    lblData.push_back(cell(page, QStringLiteral("lblData%1").arg(lblData.size())));
    grid->addWidget(lblData.back(), p + 5, 1);
  }
  grid->setRowMinimumHeight(4, 28);
  grid->setRowStretch(7, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(SSTab1);
}

void frm_show_ComData::Apri(const QString& CodCom) {
  for (int tab = 1; tab < SSTab1->count(); ++tab) SSTab1->setTabVisible(tab, false);
  JobSummary summary;
  try {
    db::Connection cn;
    cn.setCursorLocation(db::adUseClient);
    cn.Open(ConnString);
    summary = JobSummary::readWithHours(cn, CodCom);
    cn.Close();
  } catch (const db::DbError& e) {
    forms::showError(e, nullptr, forms::ErrorIcon::None);
    return;
  }
  for (int p = 0; p < JobSummary::PartCount; ++p)
    for (int k = 0; k < JobSummary::CategoryCount; ++k)
      lblData[std::size_t(6 * p + k)]->setText(JobSummary::text(summary.V[std::size_t(p)][std::size_t(k)]));
  lblData[18]->setText(JobSummary::text(summary.quotedHours));
  lblData[19]->setText(JobSummary::text(summary.byTimeHours));
  setWindowTitle(QStringLiteral("Dati Commessa: ") + CodCom);
  forms::setOwner(*this, MainWindowHooks::mainWindow());
  setWindowModality(Qt::ApplicationModal);
  exec();
}
