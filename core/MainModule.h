#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/runtime/Variant.h"

// The program's start: where settings and data live, a usable database (made from the template
// master.gen on first start), the connection string, then the main window.

// Runs the start-up. Sets RegKeySettings, RegKeyPrinters, DBPath and, once the database opened,
// ConnString; then calls show (the main window's start). Returns false when the start ended
// with a critical message; the program then ends without a window.
bool Main(const std::function<void()>& show);

// The data folder: the user's documents folder + "/TarvelDB", created (one level) when missing;
// the home folder's "TarvelDB" instead while a database lies there and none in the documents.
// Empty when the documents folder cannot be located.
QString CartellaDati();

// True when the database named by the connection string cannot be opened (missing, not a database,
// lacking the program's tables).
bool DBOpenFails(const QString& connectionString);

// Result of placing the template at DBPath.
struct MasterCopyResult {
  enum Status { Copied, MasterMissing, CopyFailed };
  Status status = MasterMissing;
  QString reason;  // the system's reason when the copy failed
};

// Copies master.gen from the program folder to DBPath, all or nothing: the copy is written under a
// temporary name beside DBPath and renamed into place only when complete.
MasterCopyResult CopiaMaster();

// Reads one value through the settings class; Default is set only when given.
Variant LeggiRegistro(std::int32_t ClassKey, const QString& SectionKey, std::int32_t ValueType,
                      const QString& ValueKey, const std::optional<Variant>& Default = std::nullopt);

// The main window's initialisation, called once from its constructor: DataLavoro (today),
// AnnoLavoro, HelpFile. Returns LayoutDaDb: true when regLoadViewLayout (default 1) is 1.
bool initMainWindow();
