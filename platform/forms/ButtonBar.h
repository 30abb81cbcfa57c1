#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QWidget>

class QToolButton;
class QVBoxLayout;

namespace forms {

// A navigation bar of captioned groups, each holding large icon items. One group is open at a time:
// the headers of the groups up to the open one sit at the top, its items below them, and the headers
// of the later groups at the bottom. One item of the whole bar can be marked as selected.
// Groups and images are numbered from 1; items are addressed by their key.
class ButtonBar : public QWidget {
  Q_OBJECT

 public:
  explicit ButtonBar(QWidget* parent = nullptr);

  // Adds a group with the caption; returns its index.
  int addGroup(const QString& caption);
  // Adds an image to the bar's own collection; returns its index.
  int addImage(const QIcon& icon);
  // Adds an item to a group. imageIndex 0 (or an index the collection lacks) shows no icon.
  void addItem(int group, const QString& key, const QString& caption, int imageIndex);

  int groupCount() const { return static_cast<int>(m_groups.size()); }
  QString groupCaption(int group) const;
  QStringList itemKeys(int group) const;
  QString itemCaption(const QString& key) const;

  int currentGroup() const { return m_currentGroup; }
  void setCurrentGroup(int group);

  // Marks the item with this key in the group as the selected one and opens that group.
  void setSelectedItem(int group, const QString& key);
  QString selectedKey() const { return m_selectedKey; }

  // The button of an item or of a group header, for keyboard and mouse access.
  QToolButton* itemButton(const QString& key) const;
  QToolButton* groupButton(int group) const;

 signals:
  void itemClicked(int group, const QString& key);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Item {
    QString key;
    QString caption;
    QToolButton* button;
  };
  struct Group {
    QToolButton* header;
    QWidget* page;
    QVBoxLayout* pageLayout;
    QList<Item> items;
  };

  const Group* groupAt(int group) const;
  // Shows an item's caption in as many lines as the bar's width needs.
  void fitCaption(const Item& item) const;
  void arrange();

  QVBoxLayout* m_layout;
  QList<Group> m_groups;
  QList<QIcon> m_images;
  int m_currentGroup = 0;
  QString m_selectedKey;
};

}  // namespace forms
