#pragma once

#include <QLabel>
#include <QWidget>

namespace grid {

class GridEngine;

// The record navigator under the rows: label, first/previous/next/last, "position separator count".
class GridNavigator : public QWidget {
  Q_OBJECT
 public:
  explicit GridNavigator(GridEngine* engine, QWidget* parent = nullptr);
  void refresh();
  QString text() const;

 private:
  GridEngine* e;
  QLabel* m_label;
  QLabel* m_position;
};

}  // namespace grid
