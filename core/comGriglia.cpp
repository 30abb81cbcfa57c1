#include "core/comGriglia.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "core/Globals.h"
#include "platform/db/Connection.h"
#include "platform/db/JetSql.h"
#include "platform/db/Recordset.h"
#include "platform/forms/MsgBox.h"
#include "platform/grid/GridEX.h"

namespace comGriglia {
namespace {

const QString CrLf = QStringLiteral("\r\n");

QString layoutQuery(const QString& Nome) {
  return QStringLiteral("SELECT * FROM _Pars WHERE k01='gridlayout' AND k02=") + db::jetText(Nome);
}

// The layout text as stored: each character as two bytes, low byte first, nothing else.
QByteArray toUtf16Bytes(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size() * 2);
  for (const QChar ch : text) {
    bytes.append(static_cast<char>(ch.unicode() & 0xFF));
    bytes.append(static_cast<char>(ch.unicode() >> 8));
  }
  return bytes;
}

QString fromUtf16Bytes(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size() / 2);
  for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
    const auto low = static_cast<unsigned char>(bytes[i]);
    const auto high = static_cast<unsigned char>(bytes[i + 1]);
    text.append(QChar(static_cast<char16_t>(low | (high << 8))));
  }
  return text;
}

// No layout of the view's own: the view's query then shows with one column per field, not with
// another view's columns.
void defaultColumns(grid::GridEX& Grid, const QString& ConnString) {
  Grid.setConnectionString(ConnString);
  Grid.clearColumns();
}

// Applies a layout text; one that cannot be read is reported, once per run for the same name and
// content, and false is returned with the grid as it was.
bool applyLayout(grid::GridEX& Grid, const QString& ConnString, const QString& Nome, const QString& text,
                 bool Opzione, const QString& origin) {
  try {
    Grid.loadLayoutString(text, Opzione, ConnString);
    return true;
  } catch (const grid::GridError& e) {
    static QSet<QByteArray> reported;
    const QByteArray key =
        QCryptographicHash::hash((Nome + '\n' + origin + '\n' + text).toUtf8(), QCryptographicHash::Sha1);
    if (!reported.contains(key)) {
      reported.insert(key);
      forms::MsgBox("Il layout della vista non è leggibile e non viene applicato (" + origin + "):" + CrLf +
                        e.description(),
                    forms::vbExclamation | forms::vbOKOnly, AppTitle);
    }
    return false;
  }
}

// Loads the layout file of the program folder, or warns that it is missing; without a readable
// file the grid takes the default columns.
void loadFromFile(grid::GridEX& Grid, const QString& ConnString, const QString& Nome, bool Opzione) {
  const QString path = ProgramFolder() + '/' + Nome + QStringLiteral(".lyt");
  if (QFileInfo::exists(path)) {
    QFile file(path);
    const QString text = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    if (!applyLayout(Grid, ConnString, Nome, text, Opzione, '"' + path + '"'))
      defaultColumns(Grid, ConnString);
    return;
  }
  forms::MsgBox(QStringLiteral("Attenzione!") + CrLf + CrLf +
                    QStringLiteral("Manca il file di configurazione") + CrLf + '"' + path + '"',
                forms::vbCritical | forms::vbOKOnly, AppTitle);
  Grid.setRecordSource(QString());
  defaultColumns(Grid, ConnString);
  Grid.rebind();
}

}  // namespace

void CaricaLayout(grid::GridEX& Grid, const QString& ConnString, const QString& Nome, bool DaDatabase,
                  bool Opzione) {
  if (!DaDatabase) {
    loadFromFile(Grid, ConnString, Nome, Opzione);
    return;
  }
  db::Connection cn;
  cn.Open(ConnString);
  db::Recordset rs;
  rs.Open(layoutQuery(Nome), cn, db::adOpenForwardOnly, db::adLockReadOnly, db::adCmdText);
  if (rs.isEOF()) {
    rs.Close();
    loadFromFile(Grid, ConnString, Nome, Opzione);
    cn.Close();
    return;
  }
  const Variant stored = rs.Value(QStringLiteral("m01"));
  rs.Close();
  cn.Close();
  if (stored.isNull()) {
    defaultColumns(Grid, ConnString);
    return;
  }
  // A stored layout that cannot be read gives way to the layout file.
  if (!applyLayout(Grid, ConnString, Nome, fromUtf16Bytes(stored.toBytes()), true,
                   QStringLiteral("salvato nel database")))
    loadFromFile(Grid, ConnString, Nome, Opzione);
}

void CaricaLayoutFile(grid::GridEX& Grid, const QString& ConnString, const QString& Nome) {
  loadFromFile(Grid, ConnString, Nome, true);
}

void SalvaLayout(grid::GridEX& Grid, const QString& ConnString, const QString& Nome) {
  db::Connection cn;
  cn.Open(ConnString);
  db::Recordset rs;
  rs.Open(layoutQuery(Nome), cn, db::adOpenStatic, db::adLockOptimistic, db::adCmdText);
  // A new row gets its name and its layout in one write, so no row is left without a layout.
  if (rs.isEOF()) {
    rs.AddNew();
    rs.SetValue(QStringLiteral("k01"), Variant(QStringLiteral("gridlayout")));
    rs.SetValue(QStringLiteral("k02"), Variant(Nome));
  }
  rs.SetValue(QStringLiteral("m01"), Variant(toUtf16Bytes(Grid.layoutString(true))));
  rs.Update();
  rs.Close();
  cn.Close();
}

}  // namespace comGriglia
