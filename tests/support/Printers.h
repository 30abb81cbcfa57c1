#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

#include "platform/runtime/Variant.h"

// Readable Qt texts and Variants in the messages of failed expectations.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline void PrintTo(const QStringList& list, std::ostream* out) {
  *out << '{';
  for (qsizetype i = 0; i < list.size(); ++i) {
    if (i > 0) *out << ", ";
    PrintTo(list[i], out);
  }
  *out << '}';
}

// The kind of value and the value itself, so that 5 and "5" or Null and "" tell apart.
inline void PrintTo(const Variant& value, std::ostream* out) {
  switch (value.type()) {
    case VarType::Empty: *out << "Empty"; return;
    case VarType::Null: *out << "Null"; return;
    case VarType::Integer: *out << "Integer " << value.toInt(); return;
    case VarType::Long: *out << "Long " << value.toInt(); return;
    case VarType::Double: *out << "Double " << value.toString().toStdString(); return;
    case VarType::Currency: *out << "Currency " << value.toString().toStdString(); return;
    case VarType::Date: *out << "Date " << value.toString().toStdString(); return;
    case VarType::String:
      *out << "String ";
      PrintTo(value.toString(), out);
      return;
    case VarType::Boolean: *out << "Boolean " << (value.toBool() ? "True" : "False"); return;
    case VarType::Bytes: *out << "Bytes " << value.toBytes().toHex().toStdString(); return;
  }
}
