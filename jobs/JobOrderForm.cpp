#include "jobs/JobOrderForm.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "masterdata/frm_io_Clienti.h"
#include "platform/db/JetSql.h"
#include "platform/forms/DataCombo.h"
#include "platform/forms/DatePicker.h"
#include "platform/forms/KeyFilters.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/SharedInstance.h"
#include "platform/runtime/KeyCodes.h"

JobOrderForm::JobOrderForm(const QString& missingCustomerMessage, QWidget* parent)
    : MasterDataForm(parent), cmdAddClient(new QPushButton(QStringLiteral("+"), this)) {
  setWindowTitle(QStringLiteral("Commessa"));
  const char* const columns[] = {"CodCom", "DesCom"};
  for (int i = 0; i < 2; ++i) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QStringLiteral("txtFields%1").arg(i));
    binding().bindText(box, QString::fromLatin1(columns[i]));
    txtFields.push_back(box);
  }
  addList(QStringLiteral("IdCliente"),
          QStringLiteral("SELECT IdCliFor, Nome FROM CliFor WHERE Tipo='Cliente' ORDER BY Nome"),
          QStringLiteral("IdCliFor"), QStringLiteral("Nome"));
  cmdAddClient->setObjectName(QStringLiteral("cmdAddClient"));
  cmdAddClient->setFocusPolicy(Qt::ClickFocus);
  cmdAddClient->setFixedWidth(cmdAddClient->sizeHint().height());

  setEnterMoves(forms::EnterFromTextBoxes | forms::EnterFromLookupLists | forms::EnterFromDatePickers);
  setKeyFilter(txtFields[0], forms::UpperCaseNoApostrophe);
  connect(line(0), &QLineEdit::textEdited, this, [this] { filterPastedCode(); });
  setRule(dtcData[0], [this, missingCustomerMessage] {
    dtcData[0]->settleTypedText();
    if (!dtcData[0]->boundValue().isNull()) return true;
    forms::MsgBox(missingCustomerMessage, forms::vbOKOnly, QString(), this);
    return false;
  });
  connect(cmdAddClient, &QPushButton::clicked, this, [this] { newCustomer(true); });
  connect(dtcData[0], &forms::DataCombo::keyDown, this, [this](QKeyEvent* key, bool* handled) {
    if (keys::KeyCode(*key) != keys::vbKeyF5) return;
    *handled = true;
    newCustomer(false);
  });
}

QLineEdit* JobOrderForm::line(int index) const {
  return static_cast<QLineEdit*>(txtFields[std::size_t(index)]);
}

forms::DataCombo* JobOrderForm::addList(const QString& column, const QString& rowSource,
                                        const QString& boundColumn, const QString& listField) {
  auto* list = new forms::DataCombo(this);
  list->setObjectName(QStringLiteral("dtcData%1").arg(dtcData.size()));
  list->setBoundColumn(boundColumn);
  list->setListField(listField);
  list->setMinimumWidth(240);
  setStatusHint(list, QStringLiteral("F4-Lista , F5-Nuovo"));
  binding().bindList(list, column);
  dtcData.push_back(list);
  m_listSources.push_back(rowSource);
  return list;
}

forms::DatePicker* JobOrderForm::addDate(const QString& column) {
  auto* picker = new forms::DatePicker(this);
  picker->setObjectName(QStringLiteral("datData%1").arg(datData.size()));
  binding().bindDate(picker, column);
  datData.push_back(picker);
  return picker;
}

QString JobOrderForm::tableName() const { return QStringLiteral("Commesse"); }

QString JobOrderForm::openSql(const Variant& key) const {
  return QStringLiteral("SELECT * FROM Commesse WHERE CodCom=") + db::jetText(key.toString());
}

bool JobOrderForm::beforeOpen() { return CaricaListe(-1); }

void JobOrderForm::takeResult() { m_Result = m_rs.Value(QStringLiteral("CodCom")); }

bool JobOrderForm::CaricaListe(std::int16_t Index) {
  for (std::size_t i = 0; i < m_listSources.size(); ++i)
    if ((Index == -1 || Index == int(i)) && !loadList(dtcData[i], m_rsListe[i], m_listSources[i]))
      return false;
  return true;
}

// Typed keys are filtered one by one; pasted or dropped text gets the same filter here.
void JobOrderForm::filterPastedCode() {
  QLineEdit* box = line(0);
  const QString text = box->text();
  QString kept;
  int cursor = box->cursorPosition();
  for (int i = 0; i < text.size(); ++i) {
    const std::int16_t code = forms::UpperCaseNoApostrophe(static_cast<std::int16_t>(text[i].unicode()));
    if (code != 0)
      kept += QChar(static_cast<char16_t>(code));
    else if (i < box->cursorPosition())
      --cursor;
  }
  if (kept == text) return;
  box->setText(kept);
  box->setCursorPosition(cursor);
}

void JobOrderForm::regainFocus() {
  raise();
  activateWindow();
}

void JobOrderForm::newCustomer(bool fromButton) {
  const Variant result = forms::SharedInstance<frm_io_Clienti>::get().Nuovo(1);
  forms::SharedInstance<frm_io_Clienti>::unload();
  regainFocus();
  dtcData[0]->setFocus(Qt::OtherFocusReason);
  if (result.isNull() || result.isEmpty() || !CaricaListe(0)) return;
  binding().setValue(QStringLiteral("IdCliente"), Variant(result.toInt()));
  if (fromButton && m_afterNewClient) m_afterNewClient->setFocus(Qt::OtherFocusReason);
}
