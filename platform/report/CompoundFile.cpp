#include "platform/report/CompoundFile_p.h"

#include <QtEndian>
#include <vector>

namespace report {

namespace {

constexpr int SectorSize = 512;
constexpr int IdsPerSector = SectorSize / 4;
constexpr int HeaderFatSlots = 109;
constexpr int MiniStreamCutoff = 4096;
constexpr quint32 FreeSector = 0xFFFFFFFF;
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FatSector = 0xFFFFFFFD;
constexpr quint32 DifatSector = 0xFFFFFFFC;
constexpr quint32 NoStream = 0xFFFFFFFF;

void put16(QByteArray& b, int at, quint16 v) { qToLittleEndian(v, b.data() + at); }
void put32(QByteArray& b, int at, quint32 v) { qToLittleEndian(v, b.data() + at); }

QByteArray directoryEntry(const QString& name, quint8 type, quint32 child, quint32 start, quint32 size) {
  QByteArray e(128, '\0');
  if (type != 0) {
    const QString n = name.left(31);
    for (int i = 0; i < n.size(); ++i) put16(e, 2 * i, n[i].unicode());
    put16(e, 64, quint16(2 * (n.size() + 1)));
  }
  e[66] = char(type);
  e[67] = char(type ? 1 : 0);  // black, for the entries in use
  put32(e, 68, NoStream);
  put32(e, 72, NoStream);
  put32(e, 76, child);
  put32(e, 116, start);
  put32(e, 120, size);
  return e;
}

}  // namespace

QByteArray compoundFile(const QString& streamName, QByteArray stream) {
  // Streams under the cutoff would belong in the mini stream; padding keeps this one out of it.
  if (stream.size() < MiniStreamCutoff) stream.append(MiniStreamCutoff - stream.size(), '\0');
  const qsizetype streamSize = stream.size();
  if (stream.size() % SectorSize) stream.append(SectorSize - stream.size() % SectorSize, '\0');
  const quint32 streamSectors = quint32(stream.size() / SectorSize);

  quint32 fatSectors = 1;
  quint32 difatSectors = 0;
  for (;;) {
    const quint32 total = fatSectors + difatSectors + 1 + streamSectors;
    const quint32 neededFat = (total + IdsPerSector - 1) / IdsPerSector;
    const quint32 neededDifat =
        neededFat > HeaderFatSlots ? (neededFat - HeaderFatSlots + IdsPerSector - 2) / (IdsPerSector - 1) : 0;
    if (neededFat == fatSectors && neededDifat == difatSectors) break;
    fatSectors = neededFat;
    difatSectors = neededDifat;
  }
  const quint32 firstDifat = fatSectors;
  const quint32 directory = fatSectors + difatSectors;
  const quint32 firstStream = directory + 1;

  std::vector<quint32> fat(size_t(fatSectors) * IdsPerSector, FreeSector);
  for (quint32 i = 0; i < fatSectors; ++i) fat[i] = FatSector;
  for (quint32 i = 0; i < difatSectors; ++i) fat[firstDifat + i] = DifatSector;
  fat[directory] = EndOfChain;
  for (quint32 i = 0; i < streamSectors; ++i)
    fat[firstStream + i] = i + 1 < streamSectors ? firstStream + i + 1 : EndOfChain;

  QByteArray header(SectorSize, '\0');
  const unsigned char signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  for (int i = 0; i < 8; ++i) header[i] = char(signature[i]);
  put16(header, 24, 0x003E);
  put16(header, 26, 0x0003);
  put16(header, 28, 0xFFFE);
  put16(header, 30, 9);
  put16(header, 32, 6);
  put32(header, 44, fatSectors);
  put32(header, 48, directory);
  put32(header, 56, MiniStreamCutoff);
  put32(header, 60, EndOfChain);
  put32(header, 68, difatSectors ? firstDifat : EndOfChain);
  put32(header, 72, difatSectors);
  for (int i = 0; i < HeaderFatSlots; ++i)
    put32(header, 76 + 4 * i, quint32(i) < fatSectors ? quint32(i) : FreeSector);

  QByteArray out = header;
  QByteArray fatBytes(qsizetype(fat.size()) * 4, '\0');
  for (size_t i = 0; i < fat.size(); ++i) put32(fatBytes, int(4 * i), fat[i]);
  out += fatBytes;
  for (quint32 d = 0; d < difatSectors; ++d) {
    QByteArray sector(SectorSize, '\xFF');
    for (int i = 0; i < IdsPerSector - 1; ++i) {
      const quint32 fatIndex = HeaderFatSlots + d * (IdsPerSector - 1) + quint32(i);
      if (fatIndex < fatSectors) put32(sector, 4 * i, fatIndex);
    }
    put32(sector, SectorSize - 4, d + 1 < difatSectors ? firstDifat + d + 1 : EndOfChain);
    out += sector;
  }
  out += directoryEntry(QStringLiteral("Root Entry"), 5, 1, EndOfChain, 0);
  out += directoryEntry(streamName, 2, NoStream, firstStream, quint32(streamSize));
  out += directoryEntry(QString(), 0, NoStream, 0, 0);
  out += directoryEntry(QString(), 0, NoStream, 0, 0);
  out += stream;
  return out;
}

}  // namespace report
