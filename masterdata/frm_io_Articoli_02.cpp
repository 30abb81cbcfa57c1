#include "masterdata/frm_io_Articoli_02.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Globals.h"
#include "core/comUtility.h"
#include "masterdata/ArticlePrices.h"
#include "masterdata/frm_io_Cat.h"
#include "masterdata/frm_io_Fornitori_01.h"
#include "masterdata/frm_io_IVA.h"
#include "masterdata/frm_io_UM.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/forms/DataCombo.h"
#include "platform/forms/DatePicker.h"
#include "platform/forms/MemoBox.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/SharedInstance.h"
#include "platform/runtime/KeyCodes.h"
#include "platform/runtime/Numeric.h"

namespace {

const char* const AmountFormat = "##,##0.00;-##,##0.00;0.00";

struct TextField {
  const char* column;
  const char* label;  // none for the notes
  const char* tooltip;
};

const TextField TextFields[9] = {
    {"Codice", "Codice:", "Codice Articolo (max 40 caratteri)"},
    {"Descrizione", "Descrizione:", "Descrizione Articolo (max 50 caratteri)"},
    {"Costo", "Costo:", "Costo di acquisto Articolo"},
    {"Ricarico", "Ricarico:", "Ricarico in percentuale"},
    {"Note", nullptr, "Note Articolo"},
    {"PrezzoIvato", "Prezzo ivato:", "Prezzo di vendita con IVA"},
    {"Prezzo", "Prezzo:", "Prezzo di vendita (senza IVA)"},
    {"Aliquota", "Importo IVA:", "Importo IVA"},
    {"CodiceArtFor", "Codice Art. For.:", "Codice Articolo Fornitore (max 40 caratteri)"},
};

struct LookupList {
  const char* column;  // of the article
  const char* label;
  const char* tooltip;
  const char* rowSource;
  const char* boundColumn;
  const char* listField;
};

const LookupList Lists[4] = {
    {"Categoria", "Categoria:", "Categoria Articolo",
     "SELECT * FROM Liste WHERE Chiave='cat' ORDER BY Descrizione", "Descrizione", "Descrizione"},
    {"UM", "Unità di misura:", "Unità di misura Articolo",
     "SELECT * FROM Liste WHERE Chiave='um' ORDER BY Descrizione", "Codice", "Descrizione"},
    {"IdFornitore", "Fornitore:", "Fornitore Articolo (opzionale)",
     "SELECT IdCliFor, Nome FROM CliFor WHERE Tipo='Fornitore' ORDER BY Nome", "IdCliFor", "Nome"},
    {"CodiceIVA", "Tipo IVA:", "Codice IVA vendita Articolo",
     "SELECT CodiceIVA, Descrizione, Aliquota FROM CodiciIVA ORDER BY Descrizione", "CodiceIVA",
     "Descrizione"},
};

const int AmountFields[] = {2, 5, 6, 7};

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

// A linked record made on the spot through the single instance of its window, unloaded afterwards.
template <class Form>
Variant newModal() {
  const Variant result = forms::SharedInstance<Form>::get().Nuovo(1);
  forms::SharedInstance<Form>::unload();
  return result;
}

}  // namespace

frm_io_Articoli_02::frm_io_Articoli_02(QWidget* parent)
    : MasterDataForm(parent), SSTab1(new QTabWidget(this)) {
  setWindowTitle(QStringLiteral("Materiali"));
  buildFields();

  cmdSalva->setToolTip(QStringLiteral("Salva l'articolo"));
  cmdAnnulla->setToolTip(QStringLiteral("Annulla le modifiche e chiude"));
  setEnterMoves(forms::EnterFromTextBoxes | forms::EnterFromLookupLists | forms::EnterFromDatePickers);
  setFocusOrder({datData[0], txtData[0], txtData[1], dtcData[2], txtData[8], dtcData[0], dtcData[1],
                 dtcData[3], txtData[2], txtData[3], txtData[6], txtData[7], txtData[5], txtData[4], cmdSalva,
                 cmdAnnulla});

  setKeyFilter(txtData[0], forms::UpperCaseNoApostrophe);
  setKeyFilter(txtData[8], forms::UpperCaseNoApostrophe);
  for (int i : {2, 3, 5, 6, 7}) setKeyFilter(txtData[i], FiltraNumero);

  setRule(txtData[0], [this] {
    const QString codice = line(0)->text();
    if (codice.isEmpty()) return false;
    if (m_Mode == 1 && codeExists(codice)) {
      forms::MsgBox(QStringLiteral("Codice articolo già presente."), forms::vbOKOnly, QString(), this);
      return false;
    }
    return true;
  });
  setRule(txtData[1], [this] { return !line(1)->text().isEmpty(); });
  // A cost too large for money passes here; the record then refuses it with a message.
  setRule(txtData[2], [this] {
    const std::optional<double> cost = ParseNumber(line(2)->text());
    if (!cost) return false;
    const std::optional<Currency> amount = Currency::fromDouble(*cost);
    return !amount || *amount != Currency();
  });
  for (int i : {3, 5, 6, 7}) setRule(txtData[i], [this, i] { return IsNumeric(line(i)->text()); });
  setRule(dtcData[3], [this] {
    dtcData[3]->settleTypedText();
    if (dtcData[3]->selectedRow() < 0) return false;
    vatStep();
    return true;
  });
  connect(dtcData[3], &forms::DataCombo::boundValueEdited, this, [this] { vatStep(); });
  for (int i = 0; i < 4; ++i) {
    connect(dtcData[i], &forms::DataCombo::keyDown, this, [this, i](QKeyEvent* key, bool* handled) {
      if (keys::KeyCode(*key) != keys::vbKeyF5) return;
      *handled = true;
      newLinked(i);
    });
  }
}

void frm_io_Articoli_02::buildFields() {
  auto* page = new QWidget;
  SSTab1->setObjectName(QStringLiteral("SSTab1"));
  SSTab1->addTab(page, QStringLiteral("Generale"));
  SSTab1->addTab(new QWidget, QStringLiteral("Vendita"));
  SSTab1->addTab(new QWidget, QStringLiteral("Varie"));

  for (int i = 0; i < 9; ++i) {
    QWidget* box = i == 4 ? static_cast<QWidget*>(new forms::MemoBox(page)) : new QLineEdit(page);
    box->setObjectName(QStringLiteral("txtData%1").arg(i));
    box->setToolTip(text(TextFields[i].tooltip));
    txtData.push_back(box);
  }
  datData.push_back(new forms::DatePicker(page));
  datData[0]->setToolTip(QStringLiteral("Data di inserimento articolo"));
  for (int i = 0; i < 4; ++i) {
    auto* list = new forms::DataCombo(page);
    list->setObjectName(QStringLiteral("dtcData%1").arg(i));
    list->setToolTip(text(Lists[i].tooltip));
    list->setBoundColumn(text(Lists[i].boundColumn));
    list->setListField(text(Lists[i].listField));
    list->setMinimumWidth(260);
    setStatusHint(list, QStringLiteral("F4-Lista , F5-Nuovo"));
    dtcData.push_back(list);
  }
  line(7)->setReadOnly(true);
  for (int i : {2, 3, 5, 6, 7}) line(i)->setAlignment(Qt::AlignRight);
  line(0)->setMinimumWidth(260);
  txtData[4]->setFixedHeight(70);

  auto* grid = new QGridLayout;
  int row = 0;
  const auto addRow = [&](const QString& label, QWidget* control, int span = 3) {
    grid->addWidget(new QLabel(label, page), row, 0);
    grid->addWidget(control, row, 1, 1, span);
    ++row;
  };
  addRow(QStringLiteral("Inserito il:"), datData[0], 1);
  addRow(text(TextFields[0].label), txtData[0]);
  addRow(text(TextFields[1].label), txtData[1]);
  addRow(text(Lists[2].label), dtcData[2]);
  addRow(text(TextFields[8].label), txtData[8]);
  addRow(text(Lists[0].label), dtcData[0]);
  addRow(text(Lists[1].label), dtcData[1]);
  addRow(text(Lists[3].label), dtcData[3]);
  // Two columns of amounts: cost and mark-up left, price, VAT amount and price with VAT right.
  const std::pair<int, int> amounts[] = {{2, 0}, {3, 0}, {6, 2}, {7, 2}, {5, 2}};
  int amountRow[2] = {row, row};
  for (const auto& [field, column] : amounts) {
    int& r = amountRow[column / 2];
    grid->addWidget(new QLabel(text(TextFields[field].label), page), r, column);
    grid->addWidget(txtData[field], r, column + 1);
    ++r;
  }
  row = std::max(amountRow[0], amountRow[1]);
  grid->addWidget(txtData[4], row, 0, 1, 4);
  auto* pageLayout = new QVBoxLayout(page);
  pageLayout->addLayout(grid);

  for (int i = 0; i < 9; ++i) {
    const QString column = text(TextFields[i].column);
    const bool amount =
        std::find(std::begin(AmountFields), std::end(AmountFields), i) != std::end(AmountFields);
    if (i == 4)
      binding().bindText(static_cast<QPlainTextEdit*>(txtData[4]), column);
    else
      binding().bindText(line(i), column, amount ? text(AmountFormat) : QString());
  }
  binding().bindDate(datData[0], QStringLiteral("DataIns"));
  for (int i = 0; i < 4; ++i) binding().bindList(dtcData[i], text(Lists[i].column));

  auto* fields = new QVBoxLayout;
  fields->addWidget(SSTab1);
  setFields(fields);
}

QLineEdit* frm_io_Articoli_02::line(int index) const { return static_cast<QLineEdit*>(txtData[index]); }

Variant frm_io_Articoli_02::Nuovo(std::int32_t Modal, std::int32_t IdFornitore) {
  m_IdFornitore = IdFornitore;
  return MasterDataForm::Nuovo(Modal);
}

QString frm_io_Articoli_02::tableName() const { return QStringLiteral("Articoli"); }

QString frm_io_Articoli_02::openSql(const Variant& key) const {
  return QStringLiteral("SELECT * FROM Articoli WHERE Codice=") + db::jetText(key.toString());
}

bool frm_io_Articoli_02::beforeOpen() { return CaricaListe(-1); }

void frm_io_Articoli_02::setNewRowValues() {
  m_rs.SetValue(QStringLiteral("DataIns"), Variant(DataLavoro));
  m_rs.SetValue(QStringLiteral("Ricarico"), Variant(0.0));
  for (const char* money : {"Costo", "Aliquota", "Prezzo", "PrezzoIvato"})
    m_rs.SetValue(text(money), Variant(Currency()));
  if (m_IdFornitore > 0) m_rs.SetValue(QStringLiteral("IdFornitore"), Variant(m_IdFornitore));
  if (!DefaultIVA.isEmpty()) m_rs.SetValue(QStringLiteral("CodiceIVA"), Variant(DefaultIVA));
  if (!DefaultUM.isEmpty()) m_rs.SetValue(QStringLiteral("UM"), Variant(DefaultUM));
  if (!DefaultCat.isEmpty()) m_rs.SetValue(QStringLiteral("Categoria"), Variant(DefaultCat));
}

void frm_io_Articoli_02::CollegaCampi() {
  MasterDataForm::CollegaCampi();
  // The arithmetic works with the rate of the code the article shows from the start.
  readVatRate();
}

void frm_io_Articoli_02::afterOpen() {
  SSTab1->setTabEnabled(1, false);
  SSTab1->setTabEnabled(2, false);
  if (m_Mode == 2) txtData[0]->setEnabled(false);
}

void frm_io_Articoli_02::takeResult() { m_Result = m_rs.Value(QStringLiteral("Codice")); }

bool frm_io_Articoli_02::CaricaListe(std::int16_t Index) {
  for (int i = 0; i < 4; ++i)
    if ((Index == -1 || Index == i) && !loadList(dtcData[i], m_rsListe[i], text(Lists[i].rowSource)))
      return false;
  return true;
}

bool frm_io_Articoli_02::codeExists(const QString& codice) {
  try {
    db::Connection cn;
    cn.setCursorLocation(db::adUseClient);
    cn.Open(ConnString);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT Codice FROM Articoli WHERE Codice=") + db::jetText(codice), cn,
            db::adOpenStatic, db::adLockReadOnly, db::adCmdText);
    return !(rs.isEOF() && rs.isBOF());
  } catch (const db::DbError& e) {
    // The check could not run: say why and let the key of the table decide at the save.
    forms::showError(e, this, forms::ErrorIcon::None);
    return false;
  }
}

bool frm_io_Articoli_02::readVatRate() {
  const int row = dtcData[3]->selectedRow();
  db::Recordset& codes = m_rsListe[3];
  if (row < 0 || !codes.IsOpen() || row >= codes.RecordCount()) return false;
  codes.setAbsolutePosition(row);
  const std::optional<Currency> rate =
      Currency::fromDouble(NzNum(codes.Value(QStringLiteral("Aliquota")), 0));
  if (!rate) return false;
  m_AliquotaIVA = *rate;
  return true;
}

namespace {

ArticleAmounts readAmounts(forms::RecordBinding& row) {
  return {row.value(QStringLiteral("Costo")), row.value(QStringLiteral("Ricarico")),
          row.value(QStringLiteral("Prezzo")), row.value(QStringLiteral("PrezzoIvato")),
          row.value(QStringLiteral("Aliquota"))};
}

// Writes back the amounts that changed; the bound boxes show them in their formats.
void writeAmounts(forms::RecordBinding& row, const ArticleAmounts& before, const ArticleAmounts& after) {
  const std::pair<const char*, const Variant ArticleAmounts::*> columns[] = {
      {"Prezzo", &ArticleAmounts::Prezzo},
      {"Aliquota", &ArticleAmounts::Aliquota},
      {"PrezzoIvato", &ArticleAmounts::PrezzoIvato},
      {"Ricarico", &ArticleAmounts::Ricarico},
      {"Costo", &ArticleAmounts::Costo}};
  for (const auto& [column, member] : columns)
    if (!(before.*member == after.*member)) row.setValue(text(column), after.*member);
}

}  // namespace

// A price whose VAT takes it past the money range has no price with VAT to store: the row is refused
// rather than saved with a price with VAT that is not the sum.
bool frm_io_Articoli_02::beforeSave() {
  if (priceWithVat(readAmounts(binding()))) return true;
  forms::MsgBox(QStringLiteral("Il prezzo con IVA supera l'importo massimo ammesso: ridurre il costo o il "
                               "prezzo di vendita."),
                forms::vbOKOnly, QString(), this);
  txtData[6]->setFocus(Qt::OtherFocusReason);
  return false;
}

void frm_io_Articoli_02::vatStep() {
  if (!readVatRate()) return;
  const ArticleAmounts before = readAmounts(binding());
  ArticleAmounts after = before;
  applyVatRate(after, m_AliquotaIVA);
  writeAmounts(binding(), before, after);
}

void frm_io_Articoli_02::controlGotFocus(QWidget* control) {
  m_valueOnEntry = binding().value(binding().columnOf(control));
}

void frm_io_Articoli_02::controlLostFocus(QWidget* control) {
  EditedAmount edited;
  if (control == txtData[2])
    edited = EditedAmount::Costo;
  else if (control == txtData[3])
    edited = EditedAmount::Ricarico;
  else if (control == txtData[5])
    edited = EditedAmount::PrezzoIvato;
  else if (control == txtData[6])
    edited = EditedAmount::Prezzo;
  else
    return;
  // Walking through a box changes nothing: recomputing from the rounded amounts would drift.
  if (binding().value(binding().columnOf(control)) == m_valueOnEntry) return;
  const ArticleAmounts before = readAmounts(binding());
  ArticleAmounts after = before;
  recalculateAmounts(after, edited, m_AliquotaIVA);
  writeAmounts(binding(), before, after);
}

void frm_io_Articoli_02::newLinked(int list) {
  Variant result;
  switch (list) {
    case 0: result = newModal<frm_io_Cat>(); break;
    case 1: result = newModal<frm_io_UM>(); break;
    case 2: result = newModal<frm_io_Fornitori_01>(); break;
    default: result = newModal<frm_io_IVA>(); break;
  }
  // The called window belongs to the main window: bring the article back to the user.
  activateWindow();
  dtcData[list]->setFocus(Qt::OtherFocusReason);
  if (result.isNull() || result.isEmpty() || !CaricaListe(static_cast<std::int16_t>(list))) return;
  binding().setValue(text(Lists[list].column),
                     list == 2 ? Variant(result.toInt()) : Variant(result.toString()));
  if (list == 3) vatStep();
}
