#include "common/comfrmShowfields.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/grid/GridEX.h"

namespace {

// The selected entry's position, -1 when the list has none.
int selected(const QListWidget* list) {
  const QList<QListWidgetItem*> items = list->selectedItems();
  return items.isEmpty() ? -1 : list->row(items.first());
}

// Selects the entry at the position, or the last one when it is past the end (none in an empty list).
void selectNear(QListWidget* list, int position) {
  list->setCurrentRow(std::min(position, list->count() - 1));
}

// Moves the entry at position `from` of one list to position `to` of another (or the same) list and
// selects it there.
void moveEntry(QListWidget* source, int from, QListWidget* target, int to) {
  QListWidgetItem* item = source->takeItem(from);
  target->insertItem(to, item);
  target->setCurrentItem(item);
}

}  // namespace

comfrmShowfields::comfrmShowfields(grid::GridEX& Grid) : QDialog(nullptr) {
  setWindowTitle(QStringLiteral("Visualizza/Nascondi i Campi"));
  lstAvail = new QListWidget(this);
  lstVisible = new QListWidget(this);
  cmdAdd = new QPushButton(QStringLiteral("Aggiungi ->"), this);
  cmdRemove = new QPushButton(QStringLiteral("<- Elimina"), this);
  cmdUp = new QPushButton(QStringLiteral("Sù"), this);
  cmdDown = new QPushButton(QStringLiteral("Giù"), this);
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdCancel = new QPushButton(QStringLiteral("Annulla"), this);
  cmdOK->setDefault(true);

  auto* moves = new QVBoxLayout;
  moves->addStretch(1);
  for (QPushButton* b : {cmdAdd, cmdRemove}) moves->addWidget(b);
  moves->addSpacing(16);
  for (QPushButton* b : {cmdUp, cmdDown}) moves->addWidget(b);
  moves->addStretch(1);
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Campi disponibili:"), this), 0, 0);
  layout->addWidget(new QLabel(QStringLiteral("Mostra i campi nel seguente ordine:"), this), 0, 2);
  layout->addWidget(lstAvail, 1, 0);
  layout->addLayout(moves, 1, 1);
  layout->addWidget(lstVisible, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  layout->addLayout(buttons, 2, 0, 1, 3);

  for (int j = 1; j <= Grid.columnCount(); ++j) {
    const grid::GridColumn* column = Grid.column(j);
    if (column->caption().isEmpty()) continue;
    auto* item = new QListWidgetItem(column->caption());
    item->setData(Qt::UserRole, column->index());
    (column->visible() ? lstVisible : lstAvail)->addItem(item);
  }
  lstAvail->setCurrentRow(lstAvail->count() > 0 ? 0 : -1);
  lstVisible->setCurrentRow(lstVisible->count() > 0 ? 0 : -1);
  updateButtons();

  connect(lstAvail, &QListWidget::itemSelectionChanged, this, &comfrmShowfields::updateButtons);
  connect(lstVisible, &QListWidget::itemSelectionChanged, this, &comfrmShowfields::updateButtons);
  connect(lstAvail, &QListWidget::itemDoubleClicked, this, &comfrmShowfields::addField);
  connect(lstVisible, &QListWidget::itemDoubleClicked, this, &comfrmShowfields::removeField);
  connect(cmdAdd, &QPushButton::clicked, this, &comfrmShowfields::addField);
  connect(cmdRemove, &QPushButton::clicked, this, &comfrmShowfields::removeField);
  connect(cmdUp, &QPushButton::clicked, this, [this] { moveField(-1); });
  connect(cmdDown, &QPushButton::clicked, this, [this] { moveField(1); });
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool comfrmShowfields::ShowFields(grid::GridEX& Grid) {
  comfrmShowfields form(Grid);
  if (form.exec() != QDialog::Accepted) return false;
  form.apply(Grid);
  return true;
}

void comfrmShowfields::apply(grid::GridEX& Grid) const {
  for (int i = 0; i < lstAvail->count(); ++i)
    if (grid::GridColumn* column = Grid.column(lstAvail->item(i)->data(Qt::UserRole).toInt()))
      column->setVisible(false);
  for (int i = 0; i < lstVisible->count(); ++i) {
    if (grid::GridColumn* column = Grid.column(lstVisible->item(i)->data(Qt::UserRole).toInt())) {
      column->setVisible(true);
      column->setPosition(i + 1);
    }
  }
}

void comfrmShowfields::updateButtons() {
  const int shown = selected(lstVisible);
  cmdAdd->setEnabled(selected(lstAvail) >= 0);
  cmdRemove->setEnabled(shown >= 0);
  cmdUp->setEnabled(shown >= 1);
  cmdDown->setEnabled(shown >= 0 && shown < lstVisible->count() - 1);
}

void comfrmShowfields::addField() {
  lstAvail->setFocus();
  const int p = selected(lstAvail);
  if (p < 0) return;
  moveEntry(lstAvail, p, lstVisible, lstVisible->count());
  selectNear(lstAvail, p);
  updateButtons();
}

// The last shown column is never hidden.
void comfrmShowfields::removeField() {
  lstVisible->setFocus();
  const int p = selected(lstVisible);
  if (p < 0 || lstVisible->count() < 2) return;
  moveEntry(lstVisible, p, lstAvail, lstAvail->count());
  selectNear(lstVisible, p);
  updateButtons();
}

void comfrmShowfields::moveField(int step) {
  const int p = selected(lstVisible);
  if (p < 0 || p + step < 0 || p + step >= lstVisible->count()) return;
  moveEntry(lstVisible, p, lstVisible, p + step);
  lstVisible->setFocus();
  updateButtons();
}
