#include "masterdata/frm_io_Clienti.h"

frm_io_Clienti::frm_io_Clienti(QWidget* parent)
    : CliForForm({QStringLiteral("Cliente"), QStringLiteral("Clienti"), QString(),
                  QStringLiteral(" (cliente)"), true},
                 parent) {}
