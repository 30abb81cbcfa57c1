#include "platform/registry/RegFileFormat_p.h"

#include <QHash>
#include <QStringConverter>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <vector>

#include "platform/registry/RegistryTypes.h"

namespace registry {

namespace {

const QString Header = QStringLiteral("Windows Registry Editor Version 5.00");
constexpr int HexBytesPerLine = 25;

bool isTextType(std::int32_t type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// Text types live in the file as UTF-16 little-endian, in memory as UTF-8.
QByteArray utf8ToUtf16(const QByteArray& utf8) {
  const QString text = QString::fromUtf8(utf8);
  QByteArray out;
  out.reserve(text.size() * 2);
  for (QChar c : text) {
    out.append(char(c.unicode() & 0xFF));
    out.append(char(c.unicode() >> 8));
  }
  return out;
}

QByteArray utf16ToUtf8(const QByteArray& utf16) {
  QString text;
  for (qsizetype i = 0; i + 1 < utf16.size(); i += 2)
    text.append(QChar(char16_t(quint8(utf16[i]) | (quint8(utf16[i + 1]) << 8))));
  return text.toUtf8();
}

QString decodeText(const QByteArray& bytes) {
  if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
    auto decode =
        QStringDecoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    return decode(bytes.mid(2));
  }
  return QString::fromUtf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
}

// Reads a quoted string starting at pos (which holds the opening quote); pos ends past the closing
// quote. Backslash escapes the next character.
std::optional<QString> readQuoted(const QString& line, qsizetype& pos) {
  if (pos >= line.size() || line[pos] != '"') return std::nullopt;
  QString out;
  for (++pos; pos < line.size(); ++pos) {
    const QChar c = line[pos];
    if (c == '\\') {
      if (++pos >= line.size()) return std::nullopt;
      out.append(line[pos]);
    } else if (c == '"') {
      ++pos;
      return out;
    } else {
      out.append(c);
    }
  }
  return std::nullopt;
}

std::optional<QByteArray> readHexList(const QString& text) {
  QByteArray out;
  const QString compact = QString(text).remove(' ').remove('\t');
  if (compact.isEmpty()) return out;
  for (const QString& part : compact.split(',')) {
    bool ok = false;
    const uint byte = part.toUInt(&ok, 16);
    if (!ok || part.size() > 2) return std::nullopt;
    out.append(char(byte));
  }
  return out;
}

struct ParsedData {
  std::int32_t type;
  QByteArray data;
};

std::optional<ParsedData> readData(const QString& text) {
  if (text.startsWith('"')) {
    qsizetype pos = 0;
    const std::optional<QString> s = readQuoted(text, pos);
    if (!s || !text.mid(pos).trimmed().isEmpty()) return std::nullopt;
    return ParsedData{REG_SZ, s->toUtf8() + '\0'};
  }
  if (text.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
    const QString digits = text.mid(6).trimmed();
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    if (!ok || digits.size() > 8) return std::nullopt;
    QByteArray data(4, '\0');
    for (int i = 0; i < 4; ++i) data[i] = char((value >> (8 * i)) & 0xFF);
    return ParsedData{REG_DWORD, data};
  }
  std::int32_t type = REG_BINARY;
  qsizetype listStart = 0;
  if (text.startsWith(QLatin1String("hex:"), Qt::CaseInsensitive)) {
    listStart = 4;
  } else if (text.startsWith(QLatin1String("hex("), Qt::CaseInsensitive)) {
    const qsizetype close = text.indexOf(QLatin1String("):"));
    bool ok = false;
    type = close > 4 ? std::int32_t(text.mid(4, close - 4).toUInt(&ok, 16)) : 0;
    if (!ok) return std::nullopt;
    listStart = close + 2;
  } else {
    return std::nullopt;
  }
  std::optional<QByteArray> bytes = readHexList(text.mid(listStart));
  if (!bytes) return std::nullopt;
  return ParsedData{type, isTextType(type) ? utf16ToUtf8(*bytes) : *bytes};
}

// One [key] section of the file with its values in file order.
struct NamedData {
  QString name;
  ParsedData data;
};
struct Section {
  QStringList path;
  QList<NamedData> values;
  // The path case-folded, its names joined by a zero character: ordering these orders the keys by
  // name, a key before its subkeys.
  QString order;
};

// Gives every key the spelling it first has in the file, also where a section with another
// spelling sorts before it, and sets the sections' order.
void useFirstSpellings(std::vector<Section>& sections) {
  QHash<QString, QString> spelling;  // the order of a path down to a key -> the key's first spelling
  for (Section& section : sections) {
    for (QString& part : section.path) {
      section.order += part.toCaseFolded() + QChar(0);
      const auto it = spelling.constFind(section.order);
      if (it == spelling.constEnd())
        spelling.insert(section.order, part);
      else
        part = *it;
    }
  }
}

// Adds the sections to the tree in key order, so that every new subkey lands at the end of its
// siblings and a file with many sibling keys is read in n log n, whatever order it lists them in.
// Sections of the same key keep their file order: a later value wins.
void buildTree(std::vector<Section>& sections, RegistryKey& root) {
  useFirstSpellings(sections);
  std::stable_sort(sections.begin(), sections.end(),
                   [](const Section& a, const Section& b) { return a.order < b.order; });
  for (const Section& section : sections) {
    RegistryKey& key = root.ensurePath(section.path);
    for (const NamedData& value : section.values) key.setValue(value.name, value.data.type, value.data.data);
  }
}

// Lines of the file with hex continuations ("...,\" followed by an indented line) joined.
QStringList logicalLines(const QString& text) {
  QStringList lines;
  QString pending;
  for (QString line : text.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    pending += pending.isEmpty() ? line : line.trimmed();
    if (pending.endsWith('\\') && !pending.startsWith('[')) {
      pending.chop(1);
      continue;
    }
    lines.append(pending);
    pending.clear();
  }
  if (!pending.isEmpty()) lines.append(pending);
  return lines;
}

QString quote(const QString& text) {
  QString out = QStringLiteral("\"");
  for (QChar c : text) {
    if (c == '\\' || c == '"') out.append('\\');
    out.append(c);
  }
  out.append('"');
  return out;
}

// Plain one-line text that can be written between quotes.
bool writableAsQuoted(const RegistryValue& value) {
  if (value.type != REG_SZ || !value.data.endsWith('\0')) return false;
  const QByteArray body = value.data.chopped(1);
  if (body.contains('\0') || body.contains('\n') || body.contains('\r')) return false;
  return QString::fromUtf8(body).toUtf8() == body;
}

QString hexList(const QString& prefix, const QByteArray& data) {
  QString out = prefix;
  for (qsizetype i = 0; i < data.size(); ++i) {
    out += QStringLiteral("%1").arg(quint8(data[i]), 2, 16, QChar('0'));
    if (i + 1 < data.size()) {
      out += ',';
      if ((i + 1) % HexBytesPerLine == 0) out += QStringLiteral("\\\n  ");
    }
  }
  return out;
}

QString valueLine(const RegistryValue& value) {
  const QString name = value.name.isEmpty() ? QStringLiteral("@") : quote(value.name);
  if (writableAsQuoted(value)) return name + '=' + quote(QString::fromUtf8(value.data.chopped(1)));
  if (value.type == REG_DWORD && value.data.size() == 4) {
    quint32 dword = 0;
    for (int i = 3; i >= 0; --i) dword = (dword << 8) | quint8(value.data[i]);
    return name + QStringLiteral("=dword:%1").arg(dword, 8, 16, QChar('0'));
  }
  const QString prefix = value.type == REG_BINARY
                             ? QStringLiteral("hex:")
                             : QStringLiteral("hex(%1):").arg(quint32(value.type), 0, 16);
  return name + '=' + hexList(prefix, isTextType(value.type) ? utf8ToUtf16(value.data) : value.data);
}

void writeKey(const RegistryKey& key, const QString& path, bool isRoot, QString& out) {
  if (!isRoot || !key.values().isEmpty()) {
    out += '[' + path + "]\n";
    for (const RegistryValue& v : key.values()) out += valueLine(v) + '\n';
    out += '\n';
  }
  for (const RegistryKey& sub : key.subkeys()) writeKey(sub, path + '\\' + sub.name(), false, out);
}

}  // namespace

namespace {

// The sections of the file in file order; damaged is set when a line cannot be read. The lines of
// the text are gone when it returns, before the tree is built.
std::vector<Section> readSections(const QByteArray& bytes, const QString& rootName, bool& damaged) {
  const QStringList lines = logicalLines(decodeText(bytes));
  bool headerSeen = false;
  std::vector<Section> sections;
  Section* current = nullptr;
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(';')) continue;
    if (!headerSeen) {
      headerSeen = true;
      if (line == Header || line == QLatin1String("REGEDIT4")) continue;
      damaged = true;
    }
    if (line.startsWith('[')) {
      current = nullptr;
      if (!line.endsWith(']')) {
        damaged = true;
        continue;
      }
      QStringList parts = line.mid(1, line.size() - 2).split('\\', Qt::SkipEmptyParts);
      if (parts.isEmpty() || !sameName(parts.takeFirst(), rootName) || parts.size() > MaxKeyDepth) {
        damaged = true;
        continue;
      }
      current = &sections.emplace_back(Section{std::move(parts), {}, {}});
      continue;
    }
    if (!current) {
      damaged = true;
      continue;
    }
    QString name;
    qsizetype pos = 0;
    if (line.startsWith('@')) {
      pos = 1;
    } else if (std::optional<QString> quoted = readQuoted(line, pos)) {
      name = *quoted;
    } else {
      damaged = true;
      continue;
    }
    while (pos < line.size() && line[pos].isSpace()) ++pos;
    if (pos >= line.size() || line[pos] != '=') {
      damaged = true;
      continue;
    }
    std::optional<ParsedData> data = readData(line.mid(pos + 1).trimmed());
    if (!data) {
      damaged = true;
      continue;
    }
    current->values.append(NamedData{name, std::move(*data)});
  }
  return sections;
}

}  // namespace

ParsedRegFile parseRegFile(const QByteArray& bytes, const QString& rootName) {
  ParsedRegFile result;
  std::vector<Section> sections = readSections(bytes, rootName, result.damaged);
  buildTree(sections, result.root);
  return result;
}

QByteArray writeRegFile(const RegistryKey& root, const QString& rootName) {
  QString out = Header + "\n\n";
  writeKey(root, rootName, true, out);
  return out.toUtf8();
}

}  // namespace registry
