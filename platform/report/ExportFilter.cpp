#include "platform/report/ExportFilter.h"

#include <QSaveFile>

#include "platform/report/DesignStyles_p.h"
#include "platform/report/ReportError.h"

namespace report {

namespace {

QString reason(QFileDevice::FileError error) {
  switch (error) {
    case QFileDevice::PermissionsError: return QStringLiteral("permesso negato");
    case QFileDevice::WriteError: return QStringLiteral("errore di scrittura, forse il disco è pieno");
    case QFileDevice::ResourceError: return QStringLiteral("risorse del sistema esaurite");
    default: return QStringLiteral("la cartella non esiste o non è scrivibile");
  }
}

[[noreturn]] void cannotWrite(const QString& fileName, QFileDevice::FileError error) {
  throw ReportError(QStringLiteral("Impossibile scrivere il file \"%1\": %2.").arg(fileName, reason(error)));
}

}  // namespace

ExportFilter::ExportFilter() = default;

ExportFilter::~ExportFilter() = default;

void ExportFilter::Export(const Pages& pages) {
  std::vector<TextStyle> used;
  for (const Page& p : pages)
    for (const PageItem& item : p.items)
      if (item.kind == PageItem::Kind::Text) addStyle(used, item.style);
  m_styles = std::move(used);
  m_stylesToCome = nullptr;
  begin();
  try {
    for (const Page& p : pages) writePage(p);
  } catch (...) {
    cancel();
    throw;
  }
  finish();
}

void ExportFilter::begin() {
  if (m_fileName.isEmpty()) throw ReportError(QStringLiteral("Manca il nome del file da esportare."));
  m_file = std::make_unique<QSaveFile>(m_fileName);
  if (!m_file->open(QIODevice::WriteOnly)) {
    const QFileDevice::FileError error = m_file->error();
    m_file.reset();
    cannotWrite(m_fileName, error);
  }
  beginFile();
}

void ExportFilter::page(Page page) {
  if (m_stylesToCome) {
    m_styles = m_stylesToCome();
    m_stylesToCome = nullptr;
  }
  writePage(page);
}

void ExportFilter::finish() {
  try {
    finishFile();
  } catch (...) {
    cancel();
    throw;
  }
  // Buffered bytes that do not reach the disk make the flush fail; commit alone would not tell.
  if (!m_file->flush()) {
    cancel();
    cannotWrite(m_fileName, QFileDevice::WriteError);
  }
  const bool written = m_file->commit();
  const QFileDevice::FileError error = m_file->error();
  m_file.reset();
  if (!written) cannotWrite(m_fileName, error);
}

void ExportFilter::cancel() {
  if (m_file) m_file->cancelWriting();
  m_file.reset();
}

QIODevice& ExportFilter::file() { return *m_file; }

void ExportFilter::put(const QByteArray& bytes) {
  if (m_file->write(bytes) != bytes.size()) cannotWrite(m_fileName, QFileDevice::WriteError);
}

void TextExport::writePage(const Page& page) {
  Page texts{page.size, {}, page.margins};
  for (const PageItem& item : page.items)
    if (item.kind == PageItem::Kind::Text && !item.text.isEmpty()) texts.items.push_back(item);
  m_texts.push_back(std::move(texts));
}

}  // namespace report
