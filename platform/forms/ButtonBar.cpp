#include "platform/forms/ButtonBar.h"

#include <QFontMetrics>
#include <QToolButton>
#include <QVBoxLayout>

namespace forms {

namespace {

constexpr int kIconSize = 32;

// The caption broken into lines at blanks so that no line is wider than the bar.
QString wrapped(const QString& caption, const QFontMetrics& metrics, int width) {
  QStringList lines;
  QString line;
  for (const QString& word : caption.split(' ', Qt::SkipEmptyParts)) {
    const QString longer = line.isEmpty() ? word : line + ' ' + word;
    if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
      lines << line;
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.isEmpty()) lines << line;
  return lines.join('\n');
}

QToolButton* makeHeader(const QString& caption, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setText(caption);
  b->setToolButtonStyle(Qt::ToolButtonTextOnly);
  b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

QToolButton* makeItem(const QString& caption, const QIcon& icon, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setText(caption);
  b->setIcon(icon);
  b->setIconSize(QSize(kIconSize, kIconSize));
  b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  b->setAutoRaise(true);
  b->setCheckable(true);
  b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

}  // namespace

ButtonBar::ButtonBar(QWidget* parent) : QWidget(parent), m_layout(new QVBoxLayout(this)) {
  m_layout->setContentsMargins(0, 0, 0, 0);
  m_layout->setSpacing(0);
}

int ButtonBar::addGroup(const QString& caption) {
  Group g;
  g.header = makeHeader(caption, this);
  g.page = new QWidget(this);
  g.page->setBackgroundRole(QPalette::Mid);
  g.page->setAutoFillBackground(true);
  g.pageLayout = new QVBoxLayout(g.page);
  g.pageLayout->setContentsMargins(2, 6, 2, 6);
  g.pageLayout->setSpacing(4);
  g.pageLayout->addStretch(1);
  m_groups.append(g);
  const int index = groupCount();
  connect(g.header, &QToolButton::clicked, this, [this, index] { setCurrentGroup(index); });
  if (m_currentGroup == 0) m_currentGroup = index;
  arrange();
  return index;
}

int ButtonBar::addImage(const QIcon& icon) {
  m_images.append(icon);
  return static_cast<int>(m_images.size());
}

void ButtonBar::addItem(int group, const QString& key, const QString& caption, int imageIndex) {
  if (group < 1 || group > groupCount()) return;
  Group& g = m_groups[group - 1];
  const QIcon icon = imageIndex >= 1 && imageIndex <= m_images.size() ? m_images[imageIndex - 1] : QIcon();
  QToolButton* b = makeItem(caption, icon, g.page);
  b->setObjectName(QStringLiteral("bbItem_") + key);
  g.pageLayout->insertWidget(g.pageLayout->count() - 1, b);
  g.items.append({key, caption, b});
  fitCaption(g.items.last());
  connect(b, &QToolButton::clicked, this, [this, group, key] {
    setSelectedItem(group, key);
    emit itemClicked(group, key);
  });
}

const ButtonBar::Group* ButtonBar::groupAt(int group) const {
  return group >= 1 && group <= groupCount() ? &m_groups[group - 1] : nullptr;
}

QString ButtonBar::groupCaption(int group) const {
  const Group* g = groupAt(group);
  return g ? g->header->text() : QString();
}

QStringList ButtonBar::itemKeys(int group) const {
  QStringList keys;
  if (const Group* g = groupAt(group))
    for (const Item& item : g->items) keys << item.key;
  return keys;
}

QString ButtonBar::itemCaption(const QString& key) const {
  for (const Group& g : m_groups)
    for (const Item& item : g.items)
      if (item.key == key) return item.caption;
  return QString();
}

void ButtonBar::fitCaption(const Item& item) const {
  item.button->setText(wrapped(item.caption, item.button->fontMetrics(), std::max(width() - 12, kIconSize)));
}

void ButtonBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  for (const Group& g : m_groups)
    for (const Item& item : g.items) fitCaption(item);
}

QToolButton* ButtonBar::itemButton(const QString& key) const {
  for (const Group& g : m_groups)
    for (const Item& item : g.items)
      if (item.key == key) return item.button;
  return nullptr;
}

QToolButton* ButtonBar::groupButton(int group) const {
  const Group* g = groupAt(group);
  return g ? g->header : nullptr;
}

void ButtonBar::setCurrentGroup(int group) {
  if (!groupAt(group) || group == m_currentGroup) return;
  m_currentGroup = group;
  arrange();
}

void ButtonBar::setSelectedItem(int group, const QString& key) {
  const Group* g = groupAt(group);
  if (!g) return;
  m_selectedKey = key;
  for (const Group& other : m_groups)
    for (const Item& item : other.items) item.button->setChecked(&other == g && item.key == key);
  setCurrentGroup(group);
}

void ButtonBar::arrange() {
  while (m_layout->count() > 0) delete m_layout->takeAt(0);
  for (int i = 1; i <= groupCount(); ++i) {
    const Group& g = m_groups[i - 1];
    m_layout->addWidget(g.header);
    if (i == m_currentGroup) m_layout->addWidget(g.page, 1);
    g.page->setVisible(i == m_currentGroup);
  }
}

}  // namespace forms
