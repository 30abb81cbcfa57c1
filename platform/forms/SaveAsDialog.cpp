#include "platform/forms/SaveAsDialog.h"

#include <QFileDialog>

namespace forms {

namespace {
SaveAsHandler& handler() {
  static SaveAsHandler h;
  return h;
}
}  // namespace

void setSaveAsHandler(SaveAsHandler h) { handler() = std::move(h); }

QString SaveAsDialog::nameFilters(const QString& filter) {
  const QStringList parts = filter.split(u'|');
  QStringList descriptions;
  for (int i = 0; i < parts.size(); i += 2) descriptions << parts[i];
  return descriptions.join(u'\n');
}

void SaveAsDialog::ShowSave(QWidget* parent) {
  if (handler()) {
    FileName = handler()(SaveAsRequest{DefaultExt, Filter});
    return;
  }
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(nameFilters(Filter));
  QString suffix = DefaultExt;
  if (suffix.startsWith(u'.')) suffix.remove(0, 1);
  dialog.setDefaultSuffix(suffix);
  FileName = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                 ? dialog.selectedFiles().constFirst()
                 : QString();
}

}  // namespace forms
