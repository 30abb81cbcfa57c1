#include "reports/frmPrintReportFornitori.h"

frmPrintReportFornitori::frmPrintReportFornitori()
    : CliForPrintDialog({QStringLiteral("Stampa Fornitori"), QStringLiteral("Fornitore"),
                         QStringLiteral("Fornitori (Rubrica)"), QStringLiteral("Fornitori (Anagrafica)"),
                         QStringLiteral("Rubrica Fornitori"), QStringLiteral("Anagrafica Fornitori"),
                         QStringLiteral("Stampa Fornitori"), QStringLiteral("Fornitori")}) {}
