#include "tests/jobs/PrevTestSupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>

#include "platform/forms/MsgBox.h"
#include "platform/grid/GEXPreview.h"
#include "platform/grid/GridEX.h"

void PrevTest::SetUp() {
  ComTest::SetUp();
  forms::setMsgBoxHandler([this](const forms::MsgBoxRequest& request) {
    messages << request.text;
    return answer;
  });
  for (const char* sql : {
           "INSERT INTO Liste (Chiave, Codice, Descrizione) VALUES ('um', 'kg', 'Chilogrammi')",
           "INSERT INTO Liste (Chiave, Codice, Descrizione) VALUES ('um', 'h', 'Ore')",
           "INSERT INTO Liste (Chiave, Codice, Descrizione) VALUES ('cat', 'FE', 'Ferro')",
           "INSERT INTO Commesse (CodCom, IdCliente, DesCom) VALUES ('C''02', 1, 'Ringhiera')",
           "INSERT INTO CommessePre (CodCom, Codice, Descrizione, DescEstesa, Ordine, UM, Tariffa, "
           "CostoStimato, QPrev, Quantita, Prezzo) VALUES ('C001', 'V1', 'Taglio', 'Taglio a misura', 1, "
           "'h', "
           "10, 7, 2, 2, 20)",
           "INSERT INTO CommessePre (CodCom, Codice, Descrizione, UM, Tariffa, QPrev, Quantita, Prezzo) "
           "VALUES ('C001', 'V2', 'Ferro', 'kg', 4.5, 3, 3, 13.5)",
           "INSERT INTO PreModelli (IdModello, Descrizione) VALUES (1, 'Cancello')",
           "INSERT INTO PreVoci (IdModelloPre, Codice, Descrizione, UM, Tariffa) VALUES (1, 'B2', 'Posa', "
           "'h', 12)",
           "INSERT INTO PreVoci (IdModelloPre, Codice, Descrizione, UM, Tariffa) VALUES (1, 'A1', 'Taglio', "
           "'h', 10)",
       })
    testdb::exec(cn, QString::fromUtf8(sql));
}

void PrevTest::TearDown() {
  grid::GEXPreview::setPrinterChooser(nullptr);
  ComTest::TearDown();
}

namespace prevtest {

QString printIntoPdf(const QString& dir) {
  const QString pdf = dir + QStringLiteral("/stampa.pdf");
  grid::GEXPreview::setPrinterChooser([pdf](QPrinter* printer) {
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf);
    return true;
  });
  return pdf;
}

void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

namespace {
QAbstractItemView* tableOf(grid::GridEX& g) { return qobject_cast<QAbstractItemView*>(g.view()); }
}  // namespace

QWidget* cellEditor(grid::GridEX& g) {
  settle();
  for (QWidget* w : tableOf(g)->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (w->isVisible()) return w;
  return nullptr;
}

namespace {
QWidget* openCell(grid::GridEX& g, int row, int column) {
  g.setRow(row);
  g.setCol(column);
  QTest::keyClick(g.view(), Qt::Key_F2);
  return cellEditor(g);
}
}  // namespace

void chooseInCell(grid::GridEX& g, int row, int column, const QString& itemText) {
  auto* editor = qobject_cast<QComboBox*>(openCell(g, row, column));
  ASSERT_NE(editor, nullptr) << "no list opened in column " << column;
  editor->setCurrentIndex(editor->findText(itemText));
  QTest::keyClick(editor, Qt::Key_Tab);
}

int listRoomLeft(grid::GridEX& g, int row, int column) {
  auto* list = qobject_cast<QComboBox*>(openCell(g, row, column));
  if (!list) {
    ADD_FAILURE() << "no list opened in column " << column;
    return 0;
  }
  const int room = list->width() - list->sizeHint().width();
  QTest::keyClick(list, Qt::Key_Escape);
  return room;
}

void clickCellButton(grid::GridEX& g, int row, int column) {
  g.setRow(row);
  QAbstractItemView* view = tableOf(g);
  const QModelIndex index =
      view->model()->index(row == -1 ? view->model()->rowCount() - 1 : row - 1, column - 1);
  const QRect cell = view->visualRect(index);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(cell.right() - 3, cell.top() + 5));
}

void pressInGrid(grid::GridEX& g, int key) { QTest::keyClick(g.view(), static_cast<Qt::Key>(key)); }

}  // namespace prevtest
