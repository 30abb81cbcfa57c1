#include "app/Images.h"

#include <QApplication>
#include <QStyle>

namespace {

QIcon standard(QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); }

}  // namespace

QIcon viewIcon(int index) {
  switch (index) {
    case 1: return standard(QStyle::SP_FileDialogListView);
    case 2: return standard(QStyle::SP_DriveHDIcon);
    case 3: return standard(QStyle::SP_DirHomeIcon);
    case 4: return standard(QStyle::SP_FileDialogDetailedView);
    default: return QIcon();
  }
}

QIcon commandIcon(Command command) {
  switch (command) {
    case Command::New: return standard(QStyle::SP_FileIcon);
    case Command::Open: return standard(QStyle::SP_DialogOpenButton);
    case Command::Delete: return standard(QStyle::SP_TrashIcon);
    case Command::Print: return standard(QStyle::SP_DialogSaveButton);
  }
  return QIcon();
}
