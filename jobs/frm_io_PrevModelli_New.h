#pragma once

#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "masterdata/MasterDataForm.h"

class QLabel;
class QLineEdit;

// A new quotation template: its description. From the main window (Nuovo) the saved template goes
// on to the template edit window; from a job order's quote (NuovoDaCommessa) the window is modal and
// writes the template together with the lines the caller gives it, and hands its id back.
class frm_io_PrevModelli_New : public MasterDataForm {
  Q_OBJECT

 public:
  explicit frm_io_PrevModelli_New(QWidget* parent = nullptr);

  // Opens the window modeless on a new template.
  void Nuovo();
  // Writes a template's lines on the connection that writes the template, given its id.
  using LinesWriter = std::function<void(db::Connection&, std::int32_t IdModello)>;
  // Opens the window modal, owned by the calling window (the main window when nullptr); returns
  // the id of the template saved, 0 when none was. The template and the lines that writeLines
  // writes are stored in one transaction: a failure stores neither, is told, and keeps the window.
  std::int32_t NuovoDaCommessa(QWidget* caller = nullptr, LinesWriter writeLines = {});

  std::vector<QLineEdit*> txtData;
  std::vector<QLabel*> lblData;

 protected:
  QString tableName() const override;
  QString openSql(const Variant& key) const override;
  void afterOpen() override;
  void writeRecord() override;
  void takeResult() override;
  void afterSave() override;
  bool refreshesMainWindow() const override { return false; }
  QWidget* owner() const override;

 private:
  std::int32_t m_IdModello = 0;
  QPointer<QWidget> m_caller;
  LinesWriter m_writeLines;
};
