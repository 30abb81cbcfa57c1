#include "masterdata/frm_io_Fornitori_01.h"

frm_io_Fornitori_01::frm_io_Fornitori_01(QWidget* parent)
    : CliForForm({QStringLiteral("Fornitore"), QStringLiteral("Fornitori"), QStringLiteral("Nuovo fornitore"),
                  QStringLiteral(" (fornitore)"), false},
                 parent) {}
