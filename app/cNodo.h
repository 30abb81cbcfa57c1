#pragma once

#include <QString>
#include <cstdint>
#include <memory>

#include "app/cSubNodi.h"

// One view of the main window: its code, captions, navigation group, icon, shortcut letter, grid
// query and, for a view that offers filters, its sub-nodes.
class cNodo {
 public:
  // Grid menu items enabled for every view (bits 1, 2, 8, 16, 32 and 64).
  static constexpr std::int32_t kInitialGridMask = 123;

  void Setta(std::int16_t GroupIndex, const QString& Codice, const QString& Descrizione,
             const QString& DescrizioneNew, std::int16_t IconIndex, const QString& SQLString,
             const QString& mnuViewShorCut);

  // The sub-nodes; created empty on first read, so a view without filters has a collection of 0.
  cSubNodi& SubNodi();
  void setSubNodi(std::unique_ptr<cSubNodi> subNodi) { m_subNodi = std::move(subNodi); }

  std::int16_t GroupIndex() const { return m_groupIndex; }
  void setGroupIndex(std::int16_t value) { m_groupIndex = value; }
  const QString& SQLString() const { return m_sqlString; }
  void setSQLString(const QString& value) { m_sqlString = value; }
  const QString& DescrizioneNew() const { return m_descrizioneNew; }
  void setDescrizioneNew(const QString& value) { m_descrizioneNew = value; }
  const QString& Descrizione() const { return m_descrizione; }
  void setDescrizione(const QString& value) { m_descrizione = value; }
  const QString& Codice() const { return m_codice; }
  void setCodice(const QString& value) { m_codice = value; }
  std::int16_t IconIndex() const { return m_iconIndex; }
  void setIconIndex(std::int16_t value) { m_iconIndex = value; }
  std::int32_t mnuGridEnable() const { return m_mnuGridEnable; }
  void setMnuGridEnable(std::int32_t value) { m_mnuGridEnable = value; }
  const QString& mnuViewShorCut() const { return m_mnuViewShorCut; }
  void setMnuViewShorCut(const QString& value) { m_mnuViewShorCut = value; }

 private:
  std::unique_ptr<cSubNodi> m_subNodi;
  std::int16_t m_groupIndex = 0;
  QString m_sqlString;
  QString m_descrizioneNew;
  QString m_descrizione;
  QString m_codice;
  std::int16_t m_iconIndex = 0;
  std::int32_t m_mnuGridEnable = kInitialGridMask;
  QString m_mnuViewShorCut;
};
