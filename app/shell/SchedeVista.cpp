#include "app/shell/SchedeVista.h"

void ApriSchedaNuova(const QString&, QWidget*) {}
void ApriScheda(const QString&, const Variant&, QWidget*) {}
