#include "jobs/UnfinishedRow.h"

QString unfinishedRowMessage(const QStringList& missing) {
  return QStringLiteral(
             "La riga in modifica non si può registrare. Da completare: %1.\n"
             "Completare la riga, oppure annullarla con Esc.")
      .arg(missing.join(QStringLiteral(", ")));
}
