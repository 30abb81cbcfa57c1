#pragma once

#include <QString>
#include <cstdint>

#include "platform/db/AdoTypes.h"
#include "platform/runtime/Variant.h"

struct sqlite3_stmt;

// How the values of one column are read from and written to SQLite, chosen from the column's
// declared type (VARCHAR(40), LONGTEXT, LONG, SMALLINT, DOUBLE, CURRENCY, DATETIME, BOOLEAN, BLOB).
namespace db {

enum class ColumnKind { Text, Memo, Int16, Int32, Double, Currency, Date, Boolean, Binary, Computed };

struct ColumnType {
  ColumnKind kind = ColumnKind::Computed;  // Computed: no declared type, typed by its values
  DataType adoType = adEmpty;
  int definedSize = 0;
};

ColumnType columnTypeFromDeclared(const QString& declaredType);
// The type of a computed column from the kind of its values.
ColumnType columnTypeOfValues(ColumnKind kind);

// One value as SQLite stores it: its storage class (SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT,
// SQLITE_BLOB or SQLITE_NULL) and its payload. Text and blob bytes belong to whoever holds them.
struct StoredValue {
  int storage = 0;
  std::int64_t integer = 0;
  double real = 0;
  const char* bytes = nullptr;
  int length = 0;
};

// The value in column `index` of the current row of a statement, as SQLite stores it. The bytes
// stay valid until the statement steps on.
StoredValue storedValue(sqlite3_stmt* statement, int index);

// A stored value as a value of the given kind (Null for SQL NULL). Computed columns keep SQLite's
// own storage class.
Variant convertStored(const StoredValue& stored, ColumnKind kind);

// The value in column `index` of the current row of a statement, converted as convertStored does.
Variant readColumn(sqlite3_stmt* statement, int index, ColumnKind kind);

// Binds a value already converted with convertForColumn (or any Variant) to parameter `index`.
int bindValue(sqlite3_stmt* statement, int index, const Variant& value);

// The value a column of that type stores for `value`: text for text columns, a rounded Currency
// for currency columns and so on; empty text is Null in every column that is not text, and a Yes/No
// column takes no Null (it becomes False). Throws DbError::TypeMismatch, naming the field, when the
// value does not fit.
Variant convertForColumn(const Variant& value, const ColumnType& type, const QString& fieldName);

}  // namespace db
