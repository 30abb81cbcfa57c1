#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "masterdata/MasterDataForm.h"
#include "platform/db/Recordset.h"

class QLineEdit;

namespace forms {
class DataCombo;
class DatePicker;
}  // namespace forms

// What the new-job-order and job-order editing windows share: one row of Commesse found by its
// code, the code and description boxes, the customer look-up list with "+" (and F5 in the list)
// creating a customer on the spot, the look-up lists loaded by CaricaListe, and Enter moving on from
// text boxes, lists and date pickers.
class JobOrderForm : public MasterDataForm {
  Q_OBJECT

 public:
  // txtFields 0 is the code, 1 the description; each window adds its own boxes after them.
  std::vector<QWidget*> txtFields;
  // dtcData 0 is the customer list; the new-job-order window adds the template list.
  std::vector<forms::DataCombo*> dtcData;
  std::vector<forms::DatePicker*> datData;
  QPushButton* cmdAddClient;

  QLineEdit* line(int index) const;

 protected:
  // missingCustomerMessage: the message of an empty customer list when the focus leaves it.
  JobOrderForm(const QString& missingCustomerMessage, QWidget* parent);

  // A look-up list bound to a column of the row, filled from rowSource (bound column first, then
  // the list field).
  forms::DataCombo* addList(const QString& column, const QString& rowSource, const QString& boundColumn,
                            const QString& listField);
  forms::DatePicker* addDate(const QString& column);
  // After "+" has made a customer, the focus goes here.
  void setAfterNewClient(QWidget* control) { m_afterNewClient = control; }

  QString tableName() const override;
  QString recordName() const override { return QStringLiteral("una Commessa"); }
  QString openSql(const Variant& key) const override;
  bool beforeOpen() override;
  void takeResult() override;

  // A window this one opened modally belongs to the main window, which takes the focus when it
  // closes: brings this window back to the user.
  void regainFocus();

  // Reloads list Index, or every list for -1; a failure is reported and gives false.
  bool CaricaListe(std::int16_t Index);

 private:
  void newCustomer(bool fromButton);
  void filterPastedCode();

  std::vector<QString> m_listSources;  // the row source of each list
  std::array<db::Recordset, 2> m_rsListe;
  QWidget* m_afterNewClient = nullptr;
};
