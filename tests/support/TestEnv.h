#pragma once

#include <QString>

// Test environment shared by every test binary: a private HOME for the whole run, and helpers that
// make throw-away databases from the template built beside the program.
namespace testenv {

// The temporary directory that serves as HOME for this test binary.
QString homeDir();

// The folder of the built program (template, layout files, help file).
QString programDir();

// A fresh copy of master.gen in its own temporary file; the path stays valid for the whole run.
QString freshDatabase();

// The connection string for a database path, in the program's own format.
QString connectionString(const QString& dbPath);

}  // namespace testenv
