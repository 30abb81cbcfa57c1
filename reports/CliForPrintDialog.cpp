#include "reports/CliForPrintDialog.h"

#include "reports/arpCliFor.h"
#include "reports/arpCliFor2.h"
#include "reports/comRepLib.h"

namespace {

constexpr int Rubrica = 1;
constexpr int Anagrafica = 2;

}  // namespace

CliForPrintDialog::CliForPrintDialog(const CliForTexts& texts)
    : PrintReportDialog(texts.caption, QStringLiteral("Numero copie:")),
      m_texts(texts),
      m_rubrica(std::make_unique<arpCliFor>()),
      m_anagrafica(std::make_unique<arpCliFor2>()) {}

CliForPrintDialog::~CliForPrintDialog() = default;

void CliForPrintDialog::Stampa(const QString& Stampante) {
  fillPrintersAndList(Stampante, {{1, Rubrica, m_texts.rubrica}, {1, Anagrafica, m_texts.anagrafica}});
  show();
  raise();
  activateWindow();
}

report::Report* CliForPrintDialog::reportOf(int kind) {
  if (kind == Rubrica) return m_rubrica.get();
  if (kind == Anagrafica) return m_anagrafica.get();
  return nullptr;
}

QString CliForPrintDialog::queryOf(int kind) {
  return "SELECT * From CliFor WHERE Tipo='" + m_texts.tipo + "' ORDER BY " +
         (kind == Rubrica ? QStringLiteral("Nome") : QStringLiteral("IdCliFor"));
}

void CliForPrintDialog::setLabels(int kind) {
  report::Report* report = reportOf(kind);
  report->setCaption(kind == Rubrica ? m_texts.titoloRubrica : m_texts.titoloAnagrafica);
  report->setDocumentName(m_texts.documento);
  static_cast<report::Label*>(report->control(QStringLiteral("lblTitle")))->setCaption(m_texts.titolo);
}

// The address book has no export flag: a spreadsheet gets it without its four rules. The register
// comes out as a plain table in a spreadsheet and a web page.
void CliForPrintDialog::setExportMode(int kind, int output) {
  if (kind == Rubrica) {
    for (const char* line : {"Line2", "Line3", "Line4", "Line5"})
      m_rubrica->control(QLatin1String(line))->setVisible(output != OutputExcel);
  } else {
    m_anagrafica->ModoExport = output == OutputExcel || output == OutputHtml;
  }
}
