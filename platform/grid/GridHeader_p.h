#pragma once

#include <QHeaderView>

namespace grid {

class GridEngine;

// Column headers that can be dragged up onto the group-by box to group by that column.
class GridHeader : public QHeaderView {
  Q_OBJECT
 public:
  GridHeader(GridEngine* engine, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  GridEngine* e;
  int m_pressedSection = -1;
};

}  // namespace grid
