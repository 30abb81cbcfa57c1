#include "app/Immagini.h"

#include <QApplication>
#include <QStyle>

namespace {

QIcon standard(QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); }

}  // namespace

QIcon ImmagineVista(int indice) {
  switch (indice) {
    case 1: return standard(QStyle::SP_FileDialogListView);
    case 2: return standard(QStyle::SP_DriveHDIcon);
    case 3: return standard(QStyle::SP_DirHomeIcon);
    case 4: return standard(QStyle::SP_FileDialogDetailedView);
    default: return QIcon();
  }
}

QIcon ImmagineComando(Comando comando) {
  switch (comando) {
    case Comando::Nuovo: return standard(QStyle::SP_FileIcon);
    case Comando::Apri: return standard(QStyle::SP_DialogOpenButton);
    case Comando::Elimina: return standard(QStyle::SP_TrashIcon);
    case Comando::Stampa: return standard(QStyle::SP_DialogSaveButton);
  }
  return QIcon();
}
