#pragma once

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

namespace grid {

class GridEngine;

// drop-down columns, check boxes, and the cell button.
class GridDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit GridDelegate(GridEngine* engine, QObject* parent = nullptr);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;

  static QRect buttonRect(const QRect& cell);
  // Whether the value just committed was refused (and clears the mark).
  bool takeRefusal();

 private:
  GridEngine* e;
  mutable bool m_refused = false;
  mutable QPersistentModelIndex m_pendingIndex;
  mutable QString m_pendingText;
};

}  // namespace grid
