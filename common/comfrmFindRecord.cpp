#include "common/comfrmFindRecord.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/Globals.h"
#include "platform/db/DbError.h"
#include "platform/forms/KeyPreview.h"
#include "platform/forms/MsgBox.h"
#include "platform/grid/GridEX.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/KeyCodes.h"
#include "platform/runtime/Twips.h"

namespace {

const QString kSortedStyle = QStringLiteral("SortedCol");
const QString kDefaultStyle = QStringLiteral("Default");

// The dialog is never narrower than this many twips (plus the margin).
constexpr int kMinimumWidth = 6225;
constexpr int kMargin = 500;
constexpr int kStartHeight = 5400;

constexpr int kFrameHeight = 855;
constexpr int kButtonWidth = 1245;
constexpr int kButtonHeight = 375;
constexpr int kButtonStep = 1365;

QRect twips(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

}  // namespace

comfrmFindRecord::comfrmFindRecord(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      gexFind(new grid::GridEX(this)),
      frmFind(new QFrame(this)),
      lblFindField(new QLabel(frmFind)),
      txtFind(new QLineEdit(frmFind)),
      cmdInsert(new QPushButton(QStringLiteral("Inserisci"), this)),
      cmdNew(new QPushButton(QStringLiteral("Nuovo"), this)),
      cmdEdit(new QPushButton(QStringLiteral("Modifica"), this)),
      cmdCancel(new QPushButton(QStringLiteral("Annulla"), this)),
      m_Result{Variant("c"), Variant::null()} {
  gexFind->setObjectName(QStringLiteral("gexFind"));
  txtFind->setObjectName(QStringLiteral("txtFind"));
  frmFind->setFrameShape(QFrame::StyledPanel);
  gexFind->setAllowEdit(false);
  gexFind->setAllowAddNew(false);
  gexFind->setAllowDelete(false);
  for (QPushButton* button : {cmdInsert, cmdNew, cmdEdit, cmdCancel}) {
    button->setAutoDefault(false);
    button->installEventFilter(this);
  }
  txtFind->installEventFilter(this);
  setTabOrder(txtFind, gexFind);
  resize(TwipsToPixels(kMinimumWidth + kMargin), TwipsToPixels(kStartHeight));

  // Esc anywhere in the dialog cancels, before the focused control sees it.
  auto* keys = new forms::KeyPreview(this);
  keys->setEnterMoves(0);
  keys->setCancelButton(cmdCancel);

  connect(txtFind, &QLineEdit::textChanged, this, [this](const QString& text) {
    gexFind->find(m_sortedColumn, grid::FindBeginsWith, Variant(text));
  });
  connect(gexFind, &grid::GridEX::dblClick, this, [this] { choose(QStringLiteral("i")); });
  connect(gexFind, &grid::GridEX::click, this, [this] { txtFind->setFocus(); });
  connect(gexFind, &grid::GridEX::columnHeaderClick, this, [this](int column) {
    sortOn(column);
    txtFind->setFocus();
  });
  connect(gexFind, &grid::GridEX::keyDown, this, [this](int* keyCode, int) {
    if (*keyCode == keys::vbKeyReturn) {
      *keyCode = 0;
      choose(QStringLiteral("i"));
    } else if (*keyCode == keys::vbKeyF5) {
      *keyCode = 0;
      finish(QStringLiteral("n"));
    }
  });
  // A character typed in the grid starts the search over with it.
  connect(gexFind, &grid::GridEX::keyPress, this, [this](int* keyAscii) {
    if (*keyAscii <= 31) return;
    txtFind->setText(QString(QChar(*keyAscii)));
    txtFind->setFocus();
    txtFind->setCursorPosition(txtFind->text().size());
    *keyAscii = 0;
  });
  connect(cmdInsert, &QPushButton::clicked, this, [this] { choose(QStringLiteral("i")); });
  connect(cmdEdit, &QPushButton::clicked, this, [this] { choose(QStringLiteral("e")); });
  connect(cmdNew, &QPushButton::clicked, this, [this] { finish(QStringLiteral("n")); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { finish(QStringLiteral("c")); });
}

comfrmFindRecord::Result comfrmFindRecord::Trova(const QString& Title, const QString& SQL,
                                                 std::int16_t Buttons, const QString& Layout,
                                                 std::int16_t KeyColumn, const Variant& Start,
                                                 QWidget* Owner) {
  comfrmFindRecord dialog(Owner ? Owner : QApplication::activeWindow());
  dialog.m_KeyColumn = KeyColumn;
  dialog.setWindowTitle(Title);
  dialog.cmdInsert->setEnabled(Buttons & 1);
  dialog.cmdNew->setEnabled(Buttons & 2);
  dialog.cmdEdit->setEnabled(Buttons & 4);
  if (!dialog.load(SQL, Layout)) return dialog.m_Result;
  if (!Start.isEmpty()) dialog.gexFind->find(1, grid::FindEqual, Start);
  dialog.txtFind->setFocus();
  dialog.exec();
  return dialog.m_Result;
}

bool comfrmFindRecord::load(const QString& SQL, const QString& Layout) {
  gexFind->setEnabled(false);
  gexFind->setConnectionString(ConnString);
  gexFind->setRecordSource(SQL);
  try {
    gexFind->rebind();
  } catch (const db::DbError& error) {
    forms::showError(error, this);
    return false;
  }
  const QStringList fields = Layout.split(';');
  int sorted = 1;
  if (!Layout.isEmpty()) {
    sorted = fields.first().trimmed().toInt();
    qint64 total = 0;
    for (qsizetype i = 1; i < fields.size(); ++i) {
      bool ok = false;
      const int width = fields[i].trimmed().toInt(&ok);
      grid::GridColumn* column = gexFind->column(static_cast<int>(i));
      if (!ok || width < 0 || !column) continue;
      column->setWidth(width);
      total += width;
    }
    const qint64 widest = qint64(QWIDGETSIZE_MAX) * TwipsPerPixel;
    resize(TwipsToPixels(double(std::clamp<qint64>(total, kMinimumWidth, widest) + kMargin)), height());
  }
  gexFind->formatStyle(kSortedStyle).backColor = colors::vbInfoBackground;
  sortOn(gexFind->column(sorted) ? sorted : 1);
  gexFind->setEnabled(true);
  return true;
}

void comfrmFindRecord::sortOn(int column) {
  if (!gexFind->column(column)) return;
  gexFind->sortKeys().clear();
  gexFind->sortKeys().add(column, grid::Ascending);
  m_sortedColumn = column;
  lblFindField->setText("Trova in " + gexFind->column(column)->caption());
  markSortedColumn();
}

void comfrmFindRecord::markSortedColumn() {
  for (int i = 1; i <= gexFind->columnCount(); ++i)
    gexFind->column(i)->setCellStyle(i == m_sortedColumn ? kSortedStyle : kDefaultStyle);
}

void comfrmFindRecord::finish(const QString& action, const Variant& key) {
  m_Result = {Variant(action), key};
  hide();
}

// Choosing needs a row: on an empty list the choice waits.
void comfrmFindRecord::choose(const QString& action) {
  if (gexFind->row() <= 0 || gexFind->isGroupRow()) return;
  finish(action, gexFind->value(m_KeyColumn));
}

void comfrmFindRecord::reject() {
  m_Result = {Variant("c"), Variant::null()};
  QDialog::reject();
}

bool comfrmFindRecord::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) txtFind->clear();
  return QDialog::event(event);
}

// Keys on the find box and the buttons: the arrows go to the grid, Enter in the find box chooses.
bool comfrmFindRecord::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const int code = keys::KeyCode(*static_cast<QKeyEvent*>(event));
  if (code == keys::vbKeyUp || code == keys::vbKeyDown) {
    gexFind->setFocus();
    return true;
  }
  if (watched == txtFind && code == keys::vbKeyReturn) {
    choose(QStringLiteral("i"));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void comfrmFindRecord::resizeEvent(QResizeEvent* event) {
  const int W = PixelsToTwips(width());
  const int H = PixelsToTwips(height());
  frmFind->setGeometry(twips(15, 0, W - 30, kFrameHeight));
  lblFindField->setGeometry(twips(60, 60, W - 150, 315));
  txtFind->setGeometry(twips(60, 420, W - 150, 345));
  const int gridTop = kFrameHeight + 60;
  const int buttonTop = H - kButtonHeight - 120;
  gexFind->setGeometry(twips(15, gridTop, W - 30, std::max(0, buttonTop - 120 - gridTop)));
  int left = 60;
  for (QPushButton* button : {cmdInsert, cmdNew, cmdEdit}) {
    button->setGeometry(twips(left, buttonTop, kButtonWidth, kButtonHeight));
    left += kButtonStep;
  }
  cmdCancel->setGeometry(twips(W - 1365, buttonTop, kButtonWidth, kButtonHeight));
  QDialog::resizeEvent(event);
}
