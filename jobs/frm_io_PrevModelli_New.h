#pragma once

#include <QPointer>
#include <QString>
#include <cstdint>
#include <vector>

#include "masterdata/MasterDataForm.h"

class QLabel;
class QLineEdit;

// A new quotation template: its description. From the main window (Nuovo) the saved template goes
// on to the template edit window; from a job order's quote (NuovoDaCommessa) the window is modal and
// hands the new template's id back to the caller, which fills in the lines.
class frm_io_PrevModelli_New : public MasterDataForm {
  Q_OBJECT

 public:
  explicit frm_io_PrevModelli_New(QWidget* parent = nullptr);

  // Opens the window modeless on a new template.
  void Nuovo();
  // Opens the window modal, owned by the calling window (the main window when nullptr); returns
  // the id of the template saved, 0 when none was.
  std::int32_t NuovoDaCommessa(QWidget* caller = nullptr);

  std::vector<QLineEdit*> txtData;
  std::vector<QLabel*> lblData;

 protected:
  QString tableName() const override;
  QString openSql(const Variant& key) const override;
  void afterOpen() override;
  void takeResult() override;
  void afterSave() override;
  bool refreshesMainWindow() const override { return false; }
  QWidget* owner() const override;

 private:
  std::int32_t m_IdModello = 0;
  QPointer<QWidget> m_caller;
};
