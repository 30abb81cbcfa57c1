#pragma once

struct sqlite3;

namespace db {

// Jet's & operator in translated SQL: text concatenation where a Null operand counts as empty text
// and only Null & Null is Null.
inline constexpr char kConcatFunction[] = "JetConcat";

// Defines on a fresh SQLite handle the functions translated SQL relies on.
void registerSqlFunctions(sqlite3* db);

}  // namespace db
