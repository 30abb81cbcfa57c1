#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "masterdata/MasterDataForm.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/runtime/Currency.h"

class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

namespace forms {
class DataCombo;
class DatePicker;
}  // namespace forms

// Articles (materials): code, description, cost, mark-up, sale price, VAT amount and price with VAT
// kept consistent by the price arithmetic, and four look-up lists (category, unit, supplier, VAT
// code), each of which can create its linked record on the spot with F5.
class frm_io_Articoli_02 : public MasterDataForm {
  Q_OBJECT

 public:
  explicit frm_io_Articoli_02(QWidget* parent = nullptr);

  // IdFornitore greater than 0 presets the new article's supplier.
  Variant Nuovo(std::int32_t Modal, std::int32_t IdFornitore = 0);

  // Fields 0 to 8; field 4 (the notes) is a multi-line box.
  std::vector<QWidget*> txtData;
  std::vector<forms::DatePicker*> datData;
  // 0 categories, 1 units, 2 suppliers, 3 VAT codes.
  std::vector<forms::DataCombo*> dtcData;
  QTabWidget* SSTab1;

  QLineEdit* line(int index) const;

 protected:
  QString tableName() const override;
  QString recordName() const override { return QStringLiteral("un Articolo"); }
  QString openSql(const Variant& key) const override;
  bool beforeOpen() override;
  void setNewRowValues() override;
  void CollegaCampi() override;
  void afterOpen() override;
  bool beforeSave() override;
  void takeResult() override;
  void controlGotFocus(QWidget* control) override;
  void controlLostFocus(QWidget* control) override;

 private:
  void buildFields();
  bool CaricaListe(std::int16_t Index);
  bool codeExists(const QString& codice);
  // Takes the rate of the VAT code the list shows; false when it shows none.
  bool readVatRate();
  // The VAT step: the rate of the code shown, then the VAT amount and the price with VAT.
  void vatStep();
  void newLinked(int list);

  std::int32_t m_IdFornitore = 0;
  std::array<db::Recordset, 4> m_rsListe;
  Currency m_AliquotaIVA;
  // The value of the focused control's column when it got the focus.
  Variant m_valueOnEntry;
};
