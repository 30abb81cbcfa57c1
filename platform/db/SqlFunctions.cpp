#include "platform/db/SqlFunctions.h"

#include <sqlite3.h>

#include <charconv>
#include <string>

namespace db {

namespace {

// A value as Jet turns it into text: numbers without a trailing ".0", with a decimal point whatever
// the process's C locale says.
void appendText(std::string& out, sqlite3_value* value) {
  switch (sqlite3_value_type(value)) {
    case SQLITE_NULL: return;
    case SQLITE_FLOAT: {
      char buffer[32];
      const auto written = std::to_chars(buffer, buffer + sizeof buffer, sqlite3_value_double(value),
                                         std::chars_format::general, 15);
      out.append(buffer, written.ptr);
      return;
    }
    default: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
      if (text) out.append(text, static_cast<std::size_t>(sqlite3_value_bytes(value)));
    }
  }
}

void concat(sqlite3_context* context, int argc, sqlite3_value** argv) {
  if (argc != 2) return;
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL && sqlite3_value_type(argv[1]) == SQLITE_NULL) {
    sqlite3_result_null(context);
    return;
  }
  std::string text;
  appendText(text, argv[0]);
  appendText(text, argv[1]);
  sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

}  // namespace

void registerSqlFunctions(sqlite3* db) {
  sqlite3_create_function_v2(db, kConcatFunction, 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, &concat,
                             nullptr, nullptr, nullptr);
}

}  // namespace db
