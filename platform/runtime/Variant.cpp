#include "platform/runtime/Variant.h"

#include <cmath>

namespace {
template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

QDateTime dateOnly(const QDate& d) { return QDateTime(d, QTime(0, 0), Qt::UTC); }
}  // namespace

Variant Variant::null() {
  Variant v;
  v.m_v = NullTag{};
  return v;
}

Variant::Variant(bool v) : m_v(v) {}
Variant::Variant(std::int16_t v) : m_v(v) {}
Variant::Variant(std::int32_t v) : m_v(v) {}
Variant::Variant(double v) : m_v(v) {}
Variant::Variant(Currency v) : m_v(v) {}
Variant::Variant(const QDate& v) : m_v(dateOnly(v)) {}
Variant::Variant(const QDateTime& v) : m_v(QDateTime(v.date(), v.time(), Qt::UTC)) {}
Variant::Variant(const QString& v) : m_v(v) {}
Variant::Variant(const char* v) : m_v(QString::fromUtf8(v)) {}
Variant::Variant(const QByteArray& v) : m_v(v) {}

VarType Variant::type() const {
  return std::visit(Overloaded{
                        [](std::monostate) { return VarType::Empty; },
                        [](NullTag) { return VarType::Null; },
                        [](std::int16_t) { return VarType::Integer; },
                        [](std::int32_t) { return VarType::Long; },
                        [](double) { return VarType::Double; },
                        [](Currency) { return VarType::Currency; },
                        [](const QDateTime&) { return VarType::Date; },
                        [](const QString&) { return VarType::String; },
                        [](bool) { return VarType::Boolean; },
                        [](const QByteArray&) { return VarType::Bytes; },
                    },
                    m_v);
}

bool Variant::isNumber() const {
  switch (type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Boolean: return true;
    default: return false;
  }
}

double Variant::toDouble() const {
  return std::visit(Overloaded{
                        [](std::int16_t v) { return double(v); },
                        [](std::int32_t v) { return double(v); },
                        [](double v) { return v; },
                        [](Currency v) { return v.toDouble(); },
                        [](bool v) { return v ? -1.0 : 0.0; },
                        [](const QString& v) {
                          bool ok = false;
                          const double d = v.trimmed().toDouble(&ok);
                          return ok ? d : 0.0;
                        },
                        [](const auto&) { return 0.0; },
                    },
                    m_v);
}

bool Variant::toBool() const {
  if (const bool* b = std::get_if<bool>(&m_v)) return *b;
  if (const QString* s = std::get_if<QString>(&m_v)) {
    const QString t = s->trimmed();
    if (t.compare("true", Qt::CaseInsensitive) == 0 || t.compare("vero", Qt::CaseInsensitive) == 0)
      return true;
  }
  return toDouble() != 0.0;
}

std::int32_t Variant::toInt() const {
  const double d = toDouble();
  if (!std::isfinite(d) || std::fabs(d) > 2147483647.0) return 0;
  return static_cast<std::int32_t>(std::nearbyint(d));
}

Currency Variant::toCurrency() const {
  if (const Currency* c = std::get_if<Currency>(&m_v)) return *c;
  return Currency::fromDouble(toDouble()).value_or(Currency());
}

QDateTime Variant::toDateTime() const {
  if (const QDateTime* d = std::get_if<QDateTime>(&m_v)) return *d;
  if (const QString* s = std::get_if<QString>(&m_v)) {
    QDateTime dt = QDateTime::fromString(s->trimmed(), Qt::ISODate);
    if (!dt.isValid()) dt = QDateTime(QDate::fromString(s->trimmed(), Qt::ISODate), QTime(0, 0));
    if (dt.isValid()) return QDateTime(dt.date(), dt.time(), Qt::UTC);
  }
  return {};
}

QDate Variant::toDate() const { return toDateTime().date(); }

QString Variant::toString() const {
  return std::visit(Overloaded{
                        [](std::monostate) { return QString(); },
                        [](NullTag) { return QString(); },
                        [](std::int16_t v) { return QString::number(v); },
                        [](std::int32_t v) { return QString::number(v); },
                        [](double v) { return QString::number(v, 'g', 15); },
                        [](Currency v) { return v.toInvariantString(); },
                        [](const QDateTime& v) {
                          return v.time() == QTime(0, 0) ? v.date().toString(Qt::ISODate)
                                                         : v.toString("yyyy-MM-dd HH:mm:ss");
                        },
                        [](const QString& v) { return v; },
                        [](bool v) { return v ? QStringLiteral("True") : QStringLiteral("False"); },
                        [](const QByteArray& v) { return QString::fromLatin1(v.toHex()); },
                    },
                    m_v);
}

QByteArray Variant::toBytes() const {
  if (const QByteArray* b = std::get_if<QByteArray>(&m_v)) return *b;
  return toString().toUtf8();
}

bool Variant::operator==(const Variant& other) const { return m_v == other.m_v; }
