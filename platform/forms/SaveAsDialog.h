#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace forms {

// The common Save As dialog: a default extension, a filter text in the form
// "Description (*.ext)|*.ext" (pairs separated by "|"), and the chosen file name, empty when the
// user cancels. It opens in the folder of the last file chosen with the same default extension
// during this run, else in the user's documents folder. Tests replace the modal dialog with a
// handler that records what was asked and gives the file name.
class SaveAsDialog {
 public:
  QString DefaultExt;  // ".xls" or "xls"; added to a name typed without an extension
  QString Filter;
  QString FileName;

  // Shows the dialog modally and sets FileName to the chosen path ("" when cancelled).
  void ShowSave(QWidget* parent = nullptr);

  // The filter text as the platform's file dialog takes it: the descriptions, one per line.
  static QString nameFilters(const QString& filter);
};

struct SaveAsRequest {
  QString defaultExt;
  QString filter;
};

using SaveAsHandler = std::function<QString(const SaveAsRequest&)>;
void setSaveAsHandler(SaveAsHandler handler);

}  // namespace forms
