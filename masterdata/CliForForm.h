#pragma once

#include <QString>
#include <vector>

#include "masterdata/MasterDataForm.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

// Customers and suppliers share the table CliFor, told apart by Tipo. This is their common window:
// the name, address, tax and contact fields on the page "Generale", the notes below. The window's
// caption follows the name once it has been entered.
class CliForForm : public MasterDataForm {
  Q_OBJECT

 public:
  // The text boxes 0 to 9 and the notes box, 10, in field order.
  std::vector<QWidget*> txtData;
  QTabWidget* SSTab1;

  QLineEdit* line(int index) const;
  QPlainTextEdit* notes() const;

 protected:
  struct Twin {
    QString kind;        // Tipo of a new row
    QString caption;     // window caption as designed
    QString newCaption;  // caption set by Nuovo; empty keeps the designed one
    QString suffix;      // after the name in the caption
    bool labelTooltips;  // the labels of some rows carry their field's tooltip
  };
  CliForForm(const Twin& twin, QWidget* parent);

  QString tableName() const override;
  QString openSql(const Variant& key) const override;
  void setNewRowValues() override;
  void afterOpen() override;
  void takeResult() override;

 private:
  Twin m_twin;
};
