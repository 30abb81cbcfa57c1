#pragma once

#include <QString>
#include <optional>

#include "platform/runtime/Variant.h"

// New and Open of the main window for the master-data views ("art", "for", "cli", "imp", "cat",
// "umi", "iva"): a fresh modeless window per call, on a new row when key is absent (Nuovo(0)),
// otherwise on the row with that key (Apri(key, 0)). False for a view code without a master-data
// window.
bool OpenMasterDataForm(const QString& code, const std::optional<Variant>& key = std::nullopt);
