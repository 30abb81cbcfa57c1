#pragma once

#include <QDialog>

namespace grid {
class GEXPreview;
}

// The window a grid renders its print preview into. A caller passes gexprev to its grid's
// printPreview and shows the window modal (exec) or modeless (show), as it needs.
class frm_gex_prev : public QDialog {
  Q_OBJECT

 public:
  explicit frm_gex_prev(QWidget* parent = nullptr);

  grid::GEXPreview* gexprev;

 protected:
  // The preview always fills the window.
  void resizeEvent(QResizeEvent* event) override;
};
