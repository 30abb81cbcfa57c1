#pragma once

#include <QLabel>

namespace grid {

class GridEngine;

// becomes a group.
class GroupByBox : public QLabel {
  Q_OBJECT
 public:
  explicit GroupByBox(GridEngine* engine, QWidget* parent = nullptr);
  void refresh();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  GridEngine* e;
};

}  // namespace grid
