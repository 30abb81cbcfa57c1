#pragma once

#include <QString>

// One filter of a view: its caption in the filter box, the grid query it stands for and its key.
class cSubNodo {
 public:
  const QString& SQLString() const { return m_sqlString; }
  void setSQLString(const QString& value) { m_sqlString = value; }
  const QString& Descrizione() const { return m_descrizione; }
  void setDescrizione(const QString& value) { m_descrizione = value; }
  const QString& Chiave() const { return m_chiave; }
  void setChiave(const QString& value) { m_chiave = value; }

 private:
  QString m_sqlString;
  QString m_descrizione;
  QString m_chiave;
};
