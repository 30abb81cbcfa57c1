#include "platform/report/ExportFilter.h"

#include <QSaveFile>

#include "platform/report/ReportError.h"

namespace report {

namespace {

QString reason(const QFileDevice& file) {
  switch (file.error()) {
    case QFileDevice::PermissionsError: return QStringLiteral("permesso negato");
    case QFileDevice::WriteError: return QStringLiteral("errore di scrittura, forse il disco è pieno");
    case QFileDevice::ResourceError: return QStringLiteral("risorse del sistema esaurite");
    default: return QStringLiteral("la cartella non esiste o non è scrivibile");
  }
}

[[noreturn]] void cannotWrite(const QString& fileName, const QFileDevice& file) {
  throw ReportError(QStringLiteral("Impossibile scrivere il file \"%1\": %2.").arg(fileName, reason(file)));
}

}  // namespace

void ExportFilter::Export(const Pages& pages) {
  if (m_fileName.isEmpty()) throw ReportError(QStringLiteral("Manca il nome del file da esportare."));
  QSaveFile file(m_fileName);
  if (!file.open(QIODevice::WriteOnly)) cannotWrite(m_fileName, file);
  try {
    write(file, pages);
  } catch (...) {
    file.cancelWriting();
    throw;
  }
  if (!file.commit()) cannotWrite(m_fileName, file);
}

}  // namespace report
