#pragma once

#include <QString>
#include <cstdint>

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/forms/EntryForm.h"
#include "platform/runtime/Variant.h"

namespace db {
class DbError;
}

class QCheckBox;
class QGridLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;

namespace forms {
class DataCombo;
class StatusBar;
}  // namespace forms

// The entry pattern the master-data windows share. Nuovo(Modal) opens the window on a new row of its
// table, Apri(Key, Modal) on an existing row; with Modal = 1 the window is modal, its save button
// reads "Inserisci" and the call returns the saved row's key (Null after a cancel); with Modal = 0 it
// is modeless and the call returns at once. The window holds its own connection and a recordset on
// the row; only "Salva" writes it. A write the database refuses is reported and leaves the window
// open with the user's entries.
class MasterDataForm : public forms::EntryForm {
  Q_OBJECT

 public:
  ~MasterDataForm() override;

  Variant Nuovo(std::int32_t Modal);
  Variant Apri(const Variant& Key, std::int32_t Modal);

  QPushButton* cmdSalva;
  QPushButton* cmdAnnulla;
  forms::StatusBar* sb;

  // 1 while the window edits a new row, 2 an existing one.
  std::int32_t mode() const { return m_Mode; }
  // The code of the main window's view that lists the rows of this window; after a save that view
  // shows the saved row.
  void setViewCode(const QString& viewCode) { m_viewCode = viewCode; }

 protected:
  explicit MasterDataForm(QWidget* parent = nullptr);

  // What each window states for itself.
  virtual QString tableName() const = 0;
  virtual QString openSql(const Variant& key) const = 0;
  // Runs before the row is opened (look-up lists); false stops the opening.
  virtual bool beforeOpen() { return true; }
  virtual void setNewRowValues() {}
  // Binds the controls; the base connects the binding to the row.
  virtual void CollegaCampi();
  // After binding and the save caption, before the window shows: disabled fields, captions.
  virtual void afterOpen() {}
  // The window's own check of the whole row before it is written; false keeps the window open and
  // writes nothing (the window has said why).
  virtual bool beforeSave() { return true; }
  // Writes the row; a window that writes more with it does it here, all or nothing. Throws
  // db::DbError and leaves the row pending when the write is refused.
  virtual void writeRecord();
  // Reads the modal result (and anything else kept) from the row just written.
  virtual void takeResult() = 0;
  // The key of the row just written as the main window's list shows it (its first column).
  virtual Variant savedKey() const { return m_Result; }
  // After the row is written and the connection closed (the default flag of the small lists).
  virtual void afterSave() {}
  // Whether a modeless save re-reads the main window's view; a window that hands its new row over to
  // another window leaves that to the other.
  virtual bool refreshesMainWindow() const { return true; }
  // The window that owns this one while shown; the main window unless a window says otherwise.
  virtual QWidget* owner() const;
  // One record of the window's table with its article, for the refusal of a duplicate key:
  // "un Codice IVA".
  virtual QString recordName() const { return QStringLiteral("una registrazione"); }
  // How that refusal names the key.
  virtual QString keyWords() const { return QStringLiteral("con questo codice"); }
  // The refusal of a key another record has: "Esiste già un Codice IVA con questo codice.".
  QString duplicateRefusal() const { return "Esiste già " + recordName() + " " + keyWords() + "."; }
  // The text box holding the key the window returns, for windows whose key is typed; a row whose key
  // is empty is refused at the save.
  virtual QLineEdit* keyBox() const { return nullptr; }

  // Lays out the fields above the buttons and the status bar.
  void setFields(QLayout* fields);
  // A text box bound to a column (shown through format), with its label, on a row of the grid; the
  // box is named txtData<index>.
  struct TextRow {
    QLabel* label;
    QLineEdit* box;
  };
  TextRow addTextRow(QGridLayout* grid, int row, int index, const QString& caption, const QString& column,
                     const QString& format = QString());
  // A check box bound to a column, in the field column of a row of the grid.
  QCheckBox* addCheckRow(QGridLayout* grid, int row, const QString& caption, const QString& column);
  // Fills a look-up list with the rows of rowSource, read into rows on the window's connection for
  // its lists (opened on first use); a failure is reported and gives false.
  bool loadList(forms::DataCombo* list, db::Recordset& rows, const QString& rowSource);
  // Runs a statement on a connection of its own; a failure is reported and gives false.
  static bool executeOnOwnConnection(const QString& sql);

  std::int32_t m_Mode = 0;
  bool m_Modal = false;
  Variant m_Result;
  db::Connection m_cn;
  db::Recordset m_rs;

 private:
  db::Connection m_cnListe;

  Variant open(std::int32_t mode, std::int32_t modal, const QString& source, db::CommandType command);
  bool openRecord(const QString& source, db::CommandType command);
  void closeRecord();
  QString m_viewCode;
  void cmdSalva_Click();
  QString refusal(const db::DbError& e);
  // False, with a message naming the field, when the key box is empty.
  bool keyGiven();
  // The caption of the label of a control, without its colon; empty for a control without one.
  QString captionOf(const QWidget* control) const;
  void cmdAnnulla_Click();
};
