#pragma once

#include <QString>
#include <memory>

#include "reports/PrintReportDialog.h"

class arpCliFor;
class arpCliFor2;

// The texts by which the customer and the supplier dialogs differ.
struct CliForTexts {
  QString caption;           // the window's
  QString tipo;              // CliFor.Tipo of the rows listed
  QString rubrica;           // report list row of the address book
  QString anagrafica;        // report list row of the register
  QString titoloRubrica;     // preview window title of the address book
  QString titoloAnagrafica;  // preview window title of the register
  QString documento;         // print job name
  QString titolo;            // the reports' title
};

// A print dialog of the customers' or the suppliers' address book (grouped by initial) and
// register (in code order).
class CliForPrintDialog : public PrintReportDialog {
  Q_OBJECT
 public:
  ~CliForPrintDialog() override;

  // Fills the dialog for a printer and shows it.
  void Stampa(const QString& Stampante);

  arpCliFor& rubrica() const { return *m_rubrica; }
  arpCliFor2& anagrafica() const { return *m_anagrafica; }

 protected:
  explicit CliForPrintDialog(const CliForTexts& texts);

  report::Report* reportOf(int kind) override;
  QString queryOf(int kind) override;
  void setLabels(int kind) override;
  void setExportMode(int kind, int output) override;

 private:
  CliForTexts m_texts;
  std::unique_ptr<arpCliFor> m_rubrica;
  std::unique_ptr<arpCliFor2> m_anagrafica;
};
