#pragma once

#include <cstdint>
#include <vector>

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/forms/EntryForm.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace grid {
class GridEX;
}

// A quotation template: its description and its lines, in a grid that writes its own rows. The
// description is saved when the window closes; a save the database refuses, or an emptied
// description, is reported and keeps the window open. Closing refreshes the main window.
class frm_io_PrevModelli : public forms::EntryForm {
  Q_OBJECT

 public:
  explicit frm_io_PrevModelli(QWidget* parent = nullptr);
  ~frm_io_PrevModelli() override;

  // Shows the template modeless. A window already showing another template first writes its line
  // in editing and its description; when either cannot be written it stays on that template.
  void Apri(std::int32_t IdModello);

  std::vector<QLineEdit*> txtData;
  std::vector<QLabel*> lblData;
  grid::GridEX* gex;
  QPushButton* cmdPrint;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Esc and the like close the window the same way as its close box.
  void reject() override;

 private:
  bool openRecord();
  void closeRecord();
  // Writes a changed description; false after telling the user why it could not be.
  bool saveTemplate();
  void cmdPrint_Click();

  std::int32_t m_IdModello = 0;
  db::Connection m_cn;
  db::Recordset m_rs;
};
