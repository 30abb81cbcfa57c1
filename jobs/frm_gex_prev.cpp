#include "jobs/frm_gex_prev.h"

#include "platform/grid/GEXPreview.h"

frm_gex_prev::frm_gex_prev(QWidget* parent)
    : QDialog(parent, Qt::Window), gexprev(new grid::GEXPreview(this)) {
  setWindowTitle(QStringLiteral("Anteprima di Stampa"));
  gexprev->setObjectName(QStringLiteral("gexprev"));
  // Pages are shown fitting the width of the window.
  gexprev->setZoomMode(1);
  resize(800, 900);
}

void frm_gex_prev::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  gexprev->setGeometry(rect());
}
