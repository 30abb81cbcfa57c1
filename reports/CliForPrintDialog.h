#pragma once

#include <QString>
#include <memory>

#include "reports/PrintReportDialog.h"

class arpCliFor;
class arpCliFor2;

// The texts by which the customer and the supplier dialogs differ.
struct CliForTexts {
  QString caption;           // the window's
  QString type;              // CliFor.Tipo of the rows listed
  QString addressBookRow;    // report list row of the address book
  QString registerRow;       // report list row of the register
  QString addressBookTitle;  // preview window title of the address book
  QString registerTitle;     // preview window title of the register
  QString documentName;      // print job name
  QString title;             // the reports' title
};

// A print dialog of the customers' or the suppliers' address book (grouped by initial) and
// register (in code order).
class CliForPrintDialog : public PrintReportDialog {
  Q_OBJECT
 public:
  ~CliForPrintDialog() override;

  // Fills the dialog for a printer and shows it.
  void Stampa(const QString& printer);

  arpCliFor& addressBookReport() const { return *m_addressBook; }
  arpCliFor2& registerReport() const { return *m_register; }

 protected:
  explicit CliForPrintDialog(const CliForTexts& texts);

  report::Report* reportOf(int kind) override;
  QString queryOf(int kind) override;
  void setLabels(int kind) override;
  void setExportMode(int kind, int output) override;

 private:
  CliForTexts m_texts;
  std::unique_ptr<arpCliFor> m_addressBook;
  std::unique_ptr<arpCliFor2> m_register;
};
