#include "masterdata/CliForForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/forms/MemoBox.h"

namespace {

struct Field {
  const char* column;
  const char* tooltip;
};

const Field Fields[] = {
    {"Nome", "Nominativo (se privato) o Ragione Sociale (se azienda)"},
    {"Indirizzo", "Indirizzo (Via, Piazza etc.)"},
    {"CAP", "Codice di avviamento postale"},
    {"Località", "Località"},
    {"Prov", "Provincia"},
    {"PIVA", "Codice Fiscale (se privato) o Partita IVA (se azienda)"},
    {"Telefono", "Telefono fisso"},
    {"Cellulare", "Cellulare"},
    {"Fax", "Fax"},
    {"Email", "Indirizzo di posta elettronica"},
    {"Note", "Note"},
};

// The rows of the page: the label and the fields it stands for, left to right.
struct Row {
  const char* label;
  std::vector<int> fields;
};

const Row Rows[] = {
    {"Nome o Ragione Sociale:", {0}},       {"Indirizzo:", {1}},
    {"CAP/Località/Prov.:", {2, 3, 4}},     {"Codice Fiscale o p.IVA:", {5}},
    {"Telefono/Cellulare/Fax:", {6, 7, 8}}, {"E-Mail:", {9}},
};

}  // namespace

CliForForm::CliForForm(const Twin& twin, QWidget* parent)
    : MasterDataForm(parent), SSTab1(new QTabWidget(this)), m_twin(twin) {
  setWindowTitle(twin.caption);
  auto* page = new QWidget;
  SSTab1->addTab(page, QStringLiteral("Generale"));
  SSTab1->setObjectName(QStringLiteral("SSTab1"));

  for (int i = 0; i < 10; ++i) txtData.push_back(new QLineEdit(page));
  auto* memo = new forms::MemoBox(page);
  memo->setFixedHeight(70);
  txtData.push_back(memo);

  auto* grid = new QGridLayout;
  int gridRow = 0;
  for (const Row& row : Rows) {
    auto* label = new QLabel(QString::fromUtf8(row.label), page);
    const int first = row.fields.front();
    if (twin.labelTooltips && (first == 0 || first == 1 || first == 5 || first == 9))
      label->setToolTip(QString::fromUtf8(Fields[first].tooltip));
    auto* boxes = new QHBoxLayout;
    for (int f : row.fields) boxes->addWidget(txtData[f], f == 4 ? 0 : 1);
    grid->addWidget(label, gridRow, 0);
    grid->addLayout(boxes, gridRow, 1);
    ++gridRow;
  }
  txtData[0]->setMinimumWidth(320);
  txtData[4]->setFixedWidth(40);
  auto* pageLayout = new QVBoxLayout(page);
  pageLayout->addLayout(grid);
  pageLayout->addWidget(memo);

  for (int i = 0; i < 11; ++i) {
    txtData[i]->setObjectName(QStringLiteral("txtData%1").arg(i));
    txtData[i]->setToolTip(QString::fromUtf8(Fields[i].tooltip));
  }
  for (int i = 0; i < 10; ++i) binding().bindText(line(i), QString::fromUtf8(Fields[i].column));
  binding().bindText(notes(), QStringLiteral("Note"));

  auto* fields = new QVBoxLayout;
  fields->addWidget(SSTab1);
  setFields(fields);

  setEnterMoves(forms::EnterFromTextBoxes);
  QList<QWidget*> order(txtData.begin(), txtData.end());
  order << cmdSalva << cmdAnnulla;
  setFocusOrder(order);
  setRule(txtData[0], [this] {
    const QString name = line(0)->text();
    if (name.isEmpty()) return false;
    setWindowTitle(name + m_twin.suffix);
    return true;
  });
}

QLineEdit* CliForForm::line(int index) const { return static_cast<QLineEdit*>(txtData[index]); }

QPlainTextEdit* CliForForm::notes() const { return static_cast<QPlainTextEdit*>(txtData[10]); }

QString CliForForm::tableName() const { return QStringLiteral("CliFor"); }

QString CliForForm::openSql(const Variant& key) const {
  return QStringLiteral("SELECT * FROM CliFor WHERE IdCliFor=") + QString::number(key.toInt());
}

void CliForForm::setNewRowValues() { m_rs.SetValue(QStringLiteral("Tipo"), Variant(m_twin.kind)); }

void CliForForm::afterOpen() {
  if (m_Mode == 2)
    setWindowTitle(line(0)->text() + m_twin.suffix);
  else if (!m_twin.newCaption.isEmpty())
    setWindowTitle(m_twin.newCaption);
}

void CliForForm::takeResult() { m_Result = m_rs.Value(QStringLiteral("IdCliFor")); }
