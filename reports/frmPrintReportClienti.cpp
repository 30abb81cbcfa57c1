#include "reports/frmPrintReportClienti.h"

// The customers' register previews under the address book's title.
frmPrintReportClienti::frmPrintReportClienti()
    : CliForPrintDialog({QStringLiteral("Stampa Clienti"), QStringLiteral("Cliente"),
                         QStringLiteral("Clienti (Rubrica)"), QStringLiteral("Clienti (Anagrafica)"),
                         QStringLiteral("Rubrica Clienti"), QStringLiteral("Rubrica Clienti"),
                         QStringLiteral("Stampa Clienti"), QStringLiteral("Clienti")}) {}
