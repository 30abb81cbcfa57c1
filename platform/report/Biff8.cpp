#include "platform/report/Biff8_p.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/report/ReportError.h"

namespace report {

namespace {

constexpr int MaxRecordData = 8224;
constexpr int MaxColumns = 256;
constexpr int MaxColumnWidth = 255 * 256;
constexpr int MaxCellText = 32767;
constexpr int FirstOwnFormat = 164;
constexpr quint16 GeneralXf = 15;
// Every cell shows in the sheet's default font.
const QString DefaultFont = QStringLiteral("Arial");
constexpr int DefaultFontTwips = 200;

class Bytes {
 public:
  Bytes& u8(int v) {
    m_data.append(char(v));
    return *this;
  }
  Bytes& u16(int v) {
    char b[2];
    qToLittleEndian(quint16(v), b);
    m_data.append(b, 2);
    return *this;
  }
  Bytes& u32(quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    m_data.append(b, 4);
    return *this;
  }
  Bytes& f64(double v) {
    char b[8];
    std::memcpy(b, &v, 8);
    if constexpr (Q_BYTE_ORDER == Q_BIG_ENDIAN) std::reverse(b, b + 8);
    m_data.append(b, 8);
    return *this;
  }
  Bytes& utf16(const QString& s) {
    for (QChar c : s) u16(c.unicode());
    return *this;
  }
  // Unicode string with a 16-bit (long) or 8-bit (short) length, stored uncompressed.
  Bytes& longString(const QString& s) { return u16(int(s.size())).u8(1).utf16(s); }
  Bytes& shortString(const QString& s) { return u8(int(s.size())).u8(1).utf16(s); }
  const QByteArray& data() const { return m_data; }
  int size() const { return int(m_data.size()); }

 private:
  QByteArray m_data;
};

void record(QByteArray& out, int type, const QByteArray& data) {
  Bytes head;
  head.u16(type).u16(int(data.size()));
  out += head.data();
  out += data;
}

QByteArray bof(int kind) {
  return Bytes().u16(0x0600).u16(kind).u16(0x0DBB).u16(0x07CC).u32(0).u32(0x06).data();
}

QByteArray xf(int font, int format, bool style) {
  Bytes b;
  b.u16(font).u16(format).u16(style ? 0xFFF5 : 0x0001).u8(0x20).u8(0).u8(0);
  b.u8(style ? 0 : (format ? 0x04 : 0));
  return b.u32(0).u32(0).u16(0x20C0).data();
}

// The shared string table, split into CONTINUE records where it outgrows one record: a string's
// header never splits, and a continued string resumes with its option byte.
void sharedStrings(QByteArray& out, const std::vector<QString>& strings, int total) {
  std::vector<QByteArray> records(1, Bytes().u32(quint32(total)).u32(quint32(strings.size())).data());
  for (const QString& s : strings) {
    if (records.back().size() + 3 > MaxRecordData) records.emplace_back();
    records.back() += Bytes().u16(int(s.size())).u8(1).data();
    qsizetype done = 0;
    while (done < s.size()) {
      const qsizetype room = (MaxRecordData - records.back().size()) / 2;
      if (room == 0) {
        records.emplace_back(1, char(1));
        continue;
      }
      const qsizetype n = std::min(room, s.size() - done);
      records.back() += Bytes().utf16(s.mid(done, n)).data();
      done += n;
    }
  }
  for (size_t i = 0; i < records.size(); ++i) record(out, i == 0 ? 0x00FC : 0x003C, records[i]);
}

// A cell's text within the format's limit, cut between characters rather than inside a pair of
// UTF-16 surrogates.
QString cellText(const QString& text) {
  if (text.size() <= MaxCellText) return text;
  const qsizetype cut = text.at(MaxCellText - 1).isHighSurrogate() ? MaxCellText - 1 : MaxCellText;
  return text.left(cut);
}

// The widths of columns that show texts whole, in the unit of column widths: 1/256 of the width
// of the digit zero in the default font. Measured large, so that the proportions hold whatever
// the screen; a character more leaves room for the cell's margins. Each text is measured once.
class ColumnWidths {
 public:
  ColumnWidths() : m_metrics(measuringFont()), m_zero(m_metrics.horizontalAdvance(u'0')) {}
  int of(const QString& text) {
    auto it = m_widths.constFind(text);
    if (it == m_widths.constEnd()) {
      const double characters = m_metrics.horizontalAdvance(text) / m_zero + 1;
      it = m_widths.insert(text, int(std::min(std::ceil(characters * 256), double(MaxColumnWidth))));
    }
    return *it;
  }

 private:
  static QFont measuringFont() {
    QFont font(DefaultFont);
    font.setPixelSize(100);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
  }
  QFontMetricsF m_metrics;
  double m_zero;
  QHash<QString, int> m_widths;
};

}  // namespace

void refuseTooLargeSheet() {
  throw ReportError(
      QStringLiteral("Il report è troppo grande per un foglio Excel (al massimo %1 righe e %2 colonne).")
          .arg(SheetRows)
          .arg(MaxColumns));
}

QByteArray biff8Workbook(const QString& sheetName, const std::vector<SheetCell>& cells) {
  int rows = 0;
  int columns = 0;
  std::vector<QString> strings;
  QHash<QString, int> stringIndex;
  std::vector<QString> formats;
  QHash<QString, int> formatIndex;
  int textCells = 0;
  ColumnWidths measure;
  std::vector<int> widths;
  for (const SheetCell& cell : cells) {
    if (cell.row >= SheetRows || cell.column >= MaxColumns) refuseTooLargeSheet();
    rows = std::max(rows, cell.row + 1);
    columns = std::max(columns, cell.column + 1);
    widths.resize(columns);
    widths[cell.column] = std::max(widths[cell.column], measure.of(cell.text));
    if (cell.kind == SheetCell::Kind::Text) {
      ++textCells;
      const QString text = cellText(cell.text);
      if (!stringIndex.contains(text)) {
        stringIndex.insert(text, int(strings.size()));
        strings.push_back(text);
      }
    } else if (!cell.format.isEmpty() && !formatIndex.contains(cell.format)) {
      formatIndex.insert(cell.format, int(formats.size()));
      formats.push_back(cell.format);
    }
  }
  // Each number format gets its own cell style, after the general one.
  auto styleOf = [&formatIndex](const SheetCell& cell) {
    return cell.format.isEmpty() ? GeneralXf : quint16(GeneralXf + 1 + formatIndex.value(cell.format));
  };

  QByteArray globals;
  record(globals, 0x0809, bof(0x0005));
  record(globals, 0x0042, Bytes().u16(1200).data());
  record(globals, 0x003D,
         Bytes().u16(0).u16(0).u16(0x3A98).u16(0x2328).u16(0x38).u16(0).u16(0).u16(1).u16(0x0258).data());
  record(globals, 0x0022, Bytes().u16(0).data());
  for (int i = 0; i < 4; ++i)
    record(globals, 0x0031,
           Bytes()
               .u16(DefaultFontTwips)
               .u16(0)
               .u16(0x7FFF)
               .u16(400)
               .u16(0)
               .u8(0)
               .u8(0)
               .u8(0)
               .u8(0)
               .shortString(DefaultFont)
               .data());
  for (size_t i = 0; i < formats.size(); ++i)
    record(globals, 0x041E, Bytes().u16(FirstOwnFormat + int(i)).longString(formats[i]).data());
  for (int i = 0; i < 15; ++i) record(globals, 0x00E0, xf(0, 0, true));
  record(globals, 0x00E0, xf(0, 0, false));
  for (size_t i = 0; i < formats.size(); ++i) record(globals, 0x00E0, xf(0, FirstOwnFormat + int(i), false));
  record(globals, 0x0293, Bytes().u16(0x8000).u8(0).u8(0xFF).data());
  const qsizetype boundSheetAt = globals.size() + 4;
  record(globals, 0x0085, Bytes().u32(0).u8(0).u8(0).shortString(sheetName).data());
  sharedStrings(globals, strings, textCells);
  record(globals, 0x000A, QByteArray());
  qToLittleEndian(quint32(globals.size()), globals.data() + boundSheetAt);

  QByteArray sheet;
  record(sheet, 0x0809, bof(0x0010));
  record(sheet, 0x0200, Bytes().u32(0).u32(quint32(rows)).u16(0).u16(columns).u16(0).data());
  for (size_t c = 0; c < widths.size(); ++c)
    record(sheet, 0x007D, Bytes().u16(int(c)).u16(int(c)).u16(widths[c]).u16(GeneralXf).u16(0).u16(0).data());
  for (const SheetCell& cell : cells) {
    switch (cell.kind) {
      case SheetCell::Kind::Text:
        record(sheet, 0x00FD,
               Bytes()
                   .u16(cell.row)
                   .u16(cell.column)
                   .u16(GeneralXf)
                   .u32(quint32(stringIndex.value(cellText(cell.text))))
                   .data());
        break;
      case SheetCell::Kind::Number: {
        const quint16 style = styleOf(cell);
        // A value that is not finite has no number form: the cell stays empty.
        if (std::isfinite(cell.number))
          record(sheet, 0x0203, Bytes().u16(cell.row).u16(cell.column).u16(style).f64(cell.number).data());
        else
          record(sheet, 0x0201, Bytes().u16(cell.row).u16(cell.column).u16(style).data());
        break;
      }
    }
  }
  record(sheet, 0x023E, Bytes().u16(0x06B6).u16(0).u16(0).u16(64).u16(0).u16(0).u16(0).u32(0).data());
  record(sheet, 0x000A, QByteArray());
  return globals + sheet;
}

}  // namespace report
