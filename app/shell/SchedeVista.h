#pragma once

#include <QString>

#include "platform/runtime/Variant.h"

class QWidget;

// The entry windows of the views. New and Open create a fresh window per command, modeless and
// owned by the main window; a view whose window the program lacks opens nothing.
void ApriSchedaNuova(const QString& codice, QWidget* owner);
void ApriScheda(const QString& codice, const Variant& chiave, QWidget* owner);
