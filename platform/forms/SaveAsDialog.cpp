#include "platform/forms/SaveAsDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <map>

#include "platform/shell/Desktop.h"

namespace forms {

namespace {
SaveAsHandler& handler() {
  static SaveAsHandler h;
  return h;
}

// The folder of the last file saved per default extension, kept for the rest of the run.
std::map<QString, QString>& lastFolders() {
  static std::map<QString, QString> folders;
  return folders;
}

QString withoutDot(const QString& extension) {
  return extension.startsWith(u'.') ? extension.mid(1) : extension;
}

QString extensionKey(const QString& defaultExt) { return withoutDot(defaultExt).toLower(); }

QString startFolder(const QString& defaultExt) {
  const auto last = lastFolders().find(extensionKey(defaultExt));
  if (last != lastFolders().end() && QFileInfo(last->second).isDir()) return last->second;
  return shell::documentsFolder();
}

void rememberFolder(const QString& defaultExt, const QString& fileName) {
  if (!fileName.isEmpty()) lastFolders()[extensionKey(defaultExt)] = QFileInfo(fileName).absolutePath();
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
  } else {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(nameFilters(Filter));
    dialog.setDefaultSuffix(withoutDot(DefaultExt));
    dialog.setDirectory(startFolder(DefaultExt));
    FileName = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().constFirst()
                   : QString();
  }
  rememberFolder(DefaultExt, FileName);
}

}  // namespace forms
