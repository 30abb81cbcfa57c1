#include "common/GridLevelsDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/grid/GridEX.h"

GridLevelsDialog::GridLevelsDialog(const QString& caption, const QString& firstLevelTitle)
    : QDialog(nullptr) {
  setWindowTitle(caption);
  auto* levels = new QVBoxLayout;
  for (int i = 0; i < kLevels; ++i) {
    frames[i] = new QGroupBox(i == 0 ? firstLevelTitle : QStringLiteral("Quindi per"), this);
    cboGroups[i] = new QComboBox(frames[i]);
    cboGroups[i]->setMinimumWidth(200);
    optOrder[2 * i] = new QRadioButton(QStringLiteral("Crescente"), frames[i]);
    optOrder[2 * i + 1] = new QRadioButton(QStringLiteral("Decrescente"), frames[i]);
    auto* frame = new QGridLayout(frames[i]);
    frame->addWidget(cboGroups[i], 0, 0, 2, 1, Qt::AlignVCenter);
    frame->addWidget(optOrder[2 * i], 0, 1);
    frame->addWidget(optOrder[2 * i + 1], 1, 1);
    levels->addWidget(frames[i]);
    cboGroups[i]->setEnabled(i == 0);
    for (int k : {2 * i, 2 * i + 1}) optOrder[k]->setEnabled(false);
    optOrder[2 * i]->setChecked(true);
    connect(cboGroups[i], &QComboBox::currentIndexChanged, this, [this, i] { levelRule(i); });
  }

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdCancel = new QPushButton(QStringLiteral("Annulla"), this);
  cmdClearAll = new QPushButton(QStringLiteral("Pulisci tutto"), this);
  cmdOK->setDefault(true);
  m_side = new QVBoxLayout;
  for (QPushButton* b : {cmdOK, cmdCancel, cmdClearAll}) m_side->addWidget(b);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(levels, 1);
  layout->addLayout(m_side);
  layout->setAlignment(m_side, Qt::AlignTop);

  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdClearAll, &QPushButton::clicked, this, [this] { selectLevel(0, 0); });
}

void GridLevelsDialog::fill(const grid::GridEX& Grid, const grid::SortKeyList& keys,
                            const std::function<bool(const grid::GridColumn*)>& offered) {
  for (QComboBox* list : cboGroups) list->addItem(QStringLiteral("(Vuoto)"));
  for (int j = 1; j <= Grid.columnCount(); ++j) {
    const grid::GridColumn* column = Grid.column(j);
    if (!offered(column)) continue;
    for (QComboBox* list : cboGroups) list->addItem(column->caption(), column->index());
  }
  selectLevel(0, 0);
  // Each key shows on its level by its column; a key whose column is not offered ends the levels.
  for (int k = 1; k <= std::min(keys.count(), kLevels); ++k) {
    const grid::SortKey key = keys.item(k);
    const int entry = cboGroups[k - 1]->findData(key.column);
    if (entry < 1) break;
    selectLevel(k - 1, entry);
    optOrder[2 * (k - 1) + (key.order == grid::Ascending ? 0 : 1)]->setChecked(true);
  }
}

// Selecting an entry runs the level rule even when the entry is already the selected one.
void GridLevelsDialog::selectLevel(int level, int entry) {
  if (cboGroups[level]->currentIndex() == entry)
    levelRule(level);
  else
    cboGroups[level]->setCurrentIndex(entry);
}

// "(Vuoto)" empties and disables the levels below; a column offers its directions, starting with
// "Crescente", and opens the next level.
void GridLevelsDialog::levelRule(int level) {
  const bool empty = cboGroups[level]->currentIndex() <= 0;
  optOrder[2 * level]->setEnabled(!empty);
  optOrder[2 * level + 1]->setEnabled(!empty);
  optOrder[2 * level]->setChecked(true);
  if (level + 1 >= kLevels) return;
  if (empty) selectLevel(level + 1, 0);
  cboGroups[level + 1]->setEnabled(!empty);
}

int GridLevelsDialog::chosenOrder(int level) const {
  return optOrder[2 * level]->isChecked() ? grid::Ascending : grid::Descending;
}

bool GridLevelsDialog::differsFrom(const grid::SortKeyList& keys) const {
  const int n = keys.count();
  for (int i = 0; i < kLevels; ++i) {
    const int entry = cboGroups[i]->currentIndex();
    if (entry <= 0) {
      if (n > i) return true;
      continue;
    }
    if (n < i + 1) return true;
    const grid::SortKey key = keys.item(i + 1);
    if (key.column != cboGroups[i]->itemData(entry).toInt() || key.order != chosenOrder(i)) return true;
  }
  return false;
}

std::vector<grid::SortKey> GridLevelsDialog::chosenKeys() const {
  std::vector<grid::SortKey> chosen;
  for (int i = 0; i < kLevels; ++i) {
    const int entry = cboGroups[i]->currentIndex();
    if (entry > 0) chosen.push_back({cboGroups[i]->itemData(entry).toInt(), chosenOrder(i)});
  }
  return chosen;
}

void GridLevelsDialog::editKeys(grid::SortKeyList& keys, const std::function<void()>& afterChange) {
  if (exec() != QDialog::Accepted || !differsFrom(keys)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  keys.assign(chosenKeys());
  afterChange();
  QApplication::restoreOverrideCursor();
}
