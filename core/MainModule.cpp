#include "core/MainModule.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include "core/Globals.h"
#include "core/comRegistry.h"
#include "core/comUtility.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/forms/MsgBox.h"
#include "platform/shell/Desktop.h"

namespace {

const QString NonAvviata = QStringLiteral("L'applicazione non verrà avviata.");

void messaggioCritico(const QString& testo) {
  forms::MsgBox(testo + "\r\n" + NonAvviata, forms::vbCritical | forms::vbOKOnly, AppTitle);
}

QString stringaConnessione(const QString& percorso) {
  return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + percorso + ";Persist Security Info=False";
}

// Why the database of the connection string does not open; nothing when it opens.
std::optional<db::DbError> erroreApertura(const QString& connectionString) {
  try {
    db::Connection connessione;
    connessione.Open(connectionString);
    connessione.Close();
    return std::nullopt;
  } catch (const db::DbError& e) {
    return e;
  }
}

// A database that is there but cannot be used: a lock or a read-only place are told as they are,
// anything else is the damaged database.
QString motivoDatabaseInutilizzabile(const db::DbError& errore) {
  if (errore.code() == db::DbError::Busy || errore.code() == db::DbError::ReadOnly) return errore.description();
  return QStringLiteral("Database non trovato o danneggiato.");
}

// Anything at the path, even a link that leads nowhere, is a file the user may care about.
bool esisteFile(const QString& percorso) {
  const QFileInfo info(percorso);
  return info.exists() || info.isSymLink();
}

// Copies source into target (already open) in blocks; false on the first failed read or write.
bool copiaContenuto(QFile& sorgente, QSaveFile& destinazione, QString& motivo) {
  constexpr qint64 Blocco = 256 * 1024;
  while (!sorgente.atEnd()) {
    const QByteArray dati = sorgente.read(Blocco);
    if (dati.isEmpty() && sorgente.error() != QFileDevice::NoError) {
      motivo = sorgente.errorString();
      return false;
    }
    if (destinazione.write(dati) != dati.size()) {
      motivo = destinazione.errorString();
      return false;
    }
  }
  return true;
}

// The reason of a failed copy: a disk without room for the template says so, whatever the system's
// own text.
QString motivoCopia(const QString& motivoSistema, qint64 dimensione) {
  const QStorageInfo disco(QFileInfo(DBPath).absolutePath());
  if (disco.isValid() && disco.bytesAvailable() < dimensione)
    return QStringLiteral("Il disco è pieno: spazio insufficiente per il database.");
  return motivoSistema;
}

}  // namespace

QString CartellaDati() {
  QString percorso = shell::documentsFolder();
  if (percorso.isEmpty()) return QString();
  if (!percorso.endsWith('/')) percorso += '/';
  percorso += QStringLiteral("TarvelDB");
  // Earlier versions put the folder in the home folder when the documents folder was missing: a
  // database left there stays in use rather than a new, empty one taking its place.
  const QString vecchia = QDir::homePath() + QStringLiteral("/TarvelDB");
  if (vecchia != percorso && !esisteFile(percorso + QStringLiteral("/coms.mdb")) &&
      esisteFile(vecchia + QStringLiteral("/coms.mdb")))
    return vecchia;
  if (!QFileInfo(percorso).isDir()) QDir().mkdir(percorso);
  return percorso;
}

bool DBOpenFails(const QString& connectionString) { return erroreApertura(connectionString).has_value(); }

EsitoCopiaMaster CopiaMaster() {
  const QString master = ProgramFolder() + QStringLiteral("/master.gen");
  if (!QFileInfo(master).isFile()) return {EsitoCopiaMaster::MasterAssente, QString()};

  QFile sorgente(master);
  if (!sorgente.open(QIODevice::ReadOnly))
    return {EsitoCopiaMaster::CopiaFallita, sorgente.errorString()};
  const qint64 dimensione = sorgente.size();
  QSaveFile destinazione(DBPath);
  if (!destinazione.open(QIODevice::WriteOnly))
    return {EsitoCopiaMaster::CopiaFallita, motivoCopia(destinazione.errorString(), dimensione)};

  // A copy left uncommitted is discarded with its temporary file.
  QString motivo;
  if (!copiaContenuto(sorgente, destinazione, motivo))
    return {EsitoCopiaMaster::CopiaFallita, motivoCopia(motivo, dimensione)};
  if (!destinazione.commit())
    return {EsitoCopiaMaster::CopiaFallita, motivoCopia(destinazione.errorString(), dimensione)};
  return {EsitoCopiaMaster::Copiato, QString()};
}

Variant LeggiRegistro(std::int32_t ClassKey, const QString& SectionKey, std::int32_t ValueType,
                      const QString& ValueKey, const std::optional<Variant>& Default) {
  comRegistry registro;
  registro.setClassKey(ClassKey);
  registro.setSectionKey(SectionKey);
  registro.setValueType(ValueType);
  registro.setValueKey(ValueKey);
  if (Default) registro.setDefault(*Default);
  return registro.Value();
}

bool Main(const std::function<void()>& visualizza) {
  const QString radice = "Software\\Corvane\\" + AppTitle;
  RegKeySettings = radice + "\\Settings";
  RegKeyPrinters = radice + "\\Printers";

  // Without a documents folder there is no place of the user's own for the data: the root of the
  // file system is none.
  const QString cartella = CartellaDati();
  if (cartella.isEmpty()) {
    messaggioCritico(QStringLiteral("Cartella Documenti dell'utente non trovata."));
    return false;
  }
  DBPath = cartella + QStringLiteral("/coms.mdb");
  const QString connessione = stringaConnessione(DBPath);

  if (const std::optional<db::DbError> errore = erroreApertura(connessione)) {
    // A file that is there but does not open holds the user's data: it is never replaced.
    if (esisteFile(DBPath)) {
      messaggioCritico(motivoDatabaseInutilizzabile(*errore));
      return false;
    }
    const EsitoCopiaMaster copia = CopiaMaster();
    if (copia.stato == EsitoCopiaMaster::MasterAssente) {
      messaggioCritico(QStringLiteral("File di sistema assente."));
      return false;
    }
    if (copia.stato == EsitoCopiaMaster::CopiaFallita) {
      messaggioCritico("Impossibile creare il database \"" + DBPath + "\":\r\n" + copia.motivo);
      return false;
    }
    if (const std::optional<db::DbError> errore = erroreApertura(connessione)) {
      // The copy holds no data yet; removing it lets a later start copy a sound template.
      QFile::remove(DBPath);
      messaggioCritico(motivoDatabaseInutilizzabile(*errore));
      return false;
    }
  }

  ConnString = connessione;
  visualizza();
  return true;
}

bool InizializzaFinestraPrincipale() {
  const Variant layout = LeggiRegistro(HKEY_CURRENT_USER, RegKeySettings, REG_DWORD,
                                       QStringLiteral("regLoadViewLayout"), Variant(std::int32_t(1)));
  DataLavoro = QDate::currentDate();
  AnnoLavoro = static_cast<std::int16_t>(DataLavoro.year());
  HelpFile = ProgramFolder() + QStringLiteral("/tarvel.chm");
  return NzNum(layout, 0) == 1;
}
