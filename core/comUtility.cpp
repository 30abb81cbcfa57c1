#include "core/comUtility.h"

#include "platform/runtime/Numeric.h"

QString NzStr(const Variant& Value, const QString& Default) {
  return Value.isText() ? Value.toString() : Default;
}

double NzNum(const Variant& Value, double Default) {
  if (Value.isText()) return ParseNumber(Value.toString()).value_or(Default);
  return IsNumeric(Value) ? Value.toDouble() : Default;
}

std::int16_t FiltraNumero(std::int16_t KeyAscii) {
  constexpr std::int16_t Backspace = 8;
  constexpr std::int16_t Tab = 9;
  if (KeyAscii >= '0' && KeyAscii <= '9') return KeyAscii;
  if (KeyAscii == ',' || KeyAscii == Backspace || KeyAscii == Tab) return KeyAscii;
  if (KeyAscii == '.') return ',';
  return 0;
}
