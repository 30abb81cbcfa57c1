#include "app/cNodo.h"

void cNodo::Setta(std::int16_t GroupIndex, const QString& Codice, const QString& Descrizione,
                  const QString& DescrizioneNew, std::int16_t IconIndex, const QString& SQLString,
                  const QString& mnuViewShorCut) {
  m_groupIndex = GroupIndex;
  m_codice = Codice;
  m_descrizione = Descrizione;
  m_descrizioneNew = DescrizioneNew;
  m_iconIndex = IconIndex;
  m_sqlString = SQLString;
  m_mnuViewShorCut = mnuViewShorCut;
}

cSubNodi& cNodo::SubNodi() {
  if (!m_subNodi) m_subNodi = std::make_unique<cSubNodi>();
  return *m_subNodi;
}
