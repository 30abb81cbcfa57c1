#include "reports/CliForPrintDialog.h"

#include "reports/arpCliFor.h"
#include "reports/arpCliFor2.h"
#include "reports/comRepLib.h"

namespace {

constexpr int AddressBook = 1;
constexpr int Register = 2;

}  // namespace

CliForPrintDialog::CliForPrintDialog(const CliForTexts& texts)
    : PrintReportDialog(texts.caption, QStringLiteral("Numero copie:")),
      m_texts(texts),
      m_addressBook(std::make_unique<arpCliFor>()),
      m_register(std::make_unique<arpCliFor2>()) {}

CliForPrintDialog::~CliForPrintDialog() = default;

void CliForPrintDialog::Stampa(const QString& printer) {
  fillPrintersAndList(printer,
                      {{1, AddressBook, m_texts.addressBookRow}, {1, Register, m_texts.registerRow}});
  showCentred();
}

report::Report* CliForPrintDialog::reportOf(int kind) {
  if (kind == AddressBook) return m_addressBook.get();
  if (kind == Register) return m_register.get();
  return nullptr;
}

QString CliForPrintDialog::queryOf(int kind) {
  return "SELECT * From CliFor WHERE Tipo='" + m_texts.type + "' ORDER BY " +
         (kind == AddressBook ? QStringLiteral("Nome") : QStringLiteral("IdCliFor"));
}

void CliForPrintDialog::setLabels(int kind) {
  report::Report* report = reportOf(kind);
  report->setCaption(kind == AddressBook ? m_texts.addressBookTitle : m_texts.registerTitle);
  report->setDocumentName(m_texts.documentName);
  report->controlAs<report::Label>(QStringLiteral("lblTitle")).setCaption(m_texts.title);
}

// The address book has no export flag: a spreadsheet gets it without its four rules. The register
// comes out as a plain table in a spreadsheet and a web page.
void CliForPrintDialog::setExportMode(int kind, int output) {
  if (kind == AddressBook) {
    for (const char* line : {"Line2", "Line3", "Line4", "Line5"})
      m_addressBook->control(QLatin1String(line))->setVisible(output != OutputExcel);
  } else {
    m_register->ModoExport = output == OutputExcel || output == OutputHtml;
  }
}
