#include "jobs/frm_show_ComData.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/Globals.h"
#include "core/MainWindowHooks.h"
#include "jobs/DatiCommessa.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/forms/MsgBox.h"

namespace {

const char* const Categorie[] = {"Vendita", "Costi", "Manodopera", "Materiali", "Altri Costi", "Utile/Perdita"};
const char* const Parti[] = {" Preventivo", " In economia", " Totale"};

QLabel* cella(QWidget* parent, const QString& name) {
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
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
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
  for (int k = 0; k < DatiCommessa::NumCategorie; ++k) caption(QString::fromUtf8(Categorie[k]), 0, k + 1);
  for (int p = 0; p < DatiCommessa::NumParti; ++p) {
    caption(QString::fromUtf8(Parti[p]), p + 1, 0);
    for (int k = 0; k < DatiCommessa::NumCategorie; ++k) {
      lblData.push_back(cella(page, QStringLiteral("lblData%1").arg(lblData.size())));
      grid->addWidget(lblData.back(), p + 1, k + 1);
    }
  }
  caption(QStringLiteral("Ore lavorate"), 4, 0);
  for (int p = 0; p < 2; ++p) {
    caption(QString::fromUtf8(Parti[p]), p + 5, 0);
    lblData.push_back(cella(page, QStringLiteral("lblData%1").arg(lblData.size())));
    grid->addWidget(lblData.back(), p + 5, 1);
  }
  grid->setRowMinimumHeight(4, 28);
  grid->setRowStretch(7, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(SSTab1);
}

void frm_show_ComData::Apri(const QString& CodCom) {
  for (int tab = 1; tab < SSTab1->count(); ++tab) SSTab1->setTabVisible(tab, false);
  DatiCommessa dati;
  try {
    db::Connection cn;
    cn.setCursorLocation(db::adUseClient);
    cn.Open(ConnString);
    dati = DatiCommessa::LeggiConOre(cn, CodCom);
    cn.Close();
  } catch (const db::DbError& e) {
    forms::MsgBox(e.description(), forms::vbOKOnly, QString(), QApplication::activeWindow());
    return;
  }
  for (int p = 0; p < DatiCommessa::NumParti; ++p)
    for (int k = 0; k < DatiCommessa::NumCategorie; ++k)
      lblData[std::size_t(6 * p + k)]->setText(DatiCommessa::Testo(dati.V[std::size_t(p)][std::size_t(k)]));
  lblData[18]->setText(DatiCommessa::Testo(dati.OrePreventivo));
  lblData[19]->setText(DatiCommessa::Testo(dati.OreEconomia));
  setWindowTitle(QStringLiteral("Dati Commessa: ") + CodCom);
  if (parentWidget() != MainWindowHooks::mainWindow()) setParent(MainWindowHooks::mainWindow(), windowFlags());
  setWindowModality(Qt::ApplicationModal);
  exec();
}
