#include <QAbstractItemView>
#include <QAction>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "platform/grid/GEXPreview.h"
#include "tests/grid/GridTestSupport.h"
#include "tests/support/PdfText.h"

namespace {

using gridtest::GridFixture;
using testenv::pdfPages;

// The report list of the print dialogs: three columns, values and icons asked row by row.
TEST(GridUnboundTest, RowsAndIconsComeFromTheOwner) {
  grid::GridEX list;
  list.addColumn(QString(), QString())->setType(grid::ColumnIcon);
  list.addColumn(QString(), QString())->setVisible(false);
  list.addColumn(QString(), QString());
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::red);
  list.addImage(QIcon(pixmap));
  const QStringList captions = {"Clienti (Rubrica)", "Clienti (Anagrafica)"};
  int reads = 0;
  QObject::connect(&list, &grid::GridEX::unboundReadData, [&](int row, grid::RowBuffer* values) {
    ++reads;
    values->setValue(1, Variant(1));
    values->setValue(2, Variant(row));
    values->setValue(3, Variant(captions.value(row - 1)));
  });
  QObject::connect(&list, &grid::GridEX::fetchIcon,
                   [](int, int column, int* icon) { *icon = column == 1 ? 1 : 0; });
  list.setItemCount(2);
  EXPECT_EQ(list.dataMode(), grid::DataMode::Unbound);
  EXPECT_EQ(list.rowCount(), 2);
  list.setRow(2);
  EXPECT_EQ(list.value(2).toInt(), 2);
  EXPECT_EQ(list.value(3).toString(), "Clienti (Anagrafica)");
  auto* view = qobject_cast<QAbstractItemView*>(list.view());
  EXPECT_FALSE(view->model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
  EXPECT_FALSE(view->model()->flags(view->model()->index(0, 2)) & Qt::ItemIsEditable);
  const int afterFirstReads = reads;
  list.value(3);
  EXPECT_EQ(reads, afterFirstReads);  // values are asked once per row

  list.setItemCount(1);
  EXPECT_EQ(list.rowCount(), 1);
  EXPECT_EQ(list.rowValue(1, 3).toString(), "Clienti (Rubrica)");
}

class GridPrintTest : public GridFixture {};

TEST_F(GridPrintTest, PreviewPaginatesWithHeadersOnEveryPage) {
  for (int i = 0; i < 150; ++i)
    testdb::exec(
        cn,
        QStringLiteral("INSERT INTO PreVoci (IdModelloPre, Codice, Descrizione) VALUES (1, 'C%1', 'Voce %1')")
            .arg(i, 3, 10, QChar('0')));
  bind("SELECT * FROM PreVoci");
  grid->printSettings().setHeaderText(grid::PrintCenter, "Modello: Prova");
  grid->printSettings().setHeaderText(grid::PrintRight, "07/12/2026");
  EXPECT_EQ(grid->printSettings().headerText(grid::PrintCenter), "Modello: Prova");
  grid::GEXPreview preview;
  preview.resize(600, 800);
  preview.setZoomMode(1);
  grid->printPreview(&preview);
  preview.show();
  QTRY_VERIFY(preview.pageCount() >= 3);
  const int pages = preview.pageCount();

  grid->column(4)->setVisible(false);
  grid->printSettings().setRepeatHeaders(false);
  grid->printPreview(&preview);
  QTRY_VERIFY(preview.pageCount() >= 3);
  EXPECT_LE(preview.pageCount(), pages);
  EXPECT_FALSE(grid->printTo("stampante che non esiste"));
}

TEST_F(GridPrintTest, PreviewOutlivingItsGridKeepsItsPagesAndOffersNoBlankPrint) {
  testdb::exec(cn, "INSERT INTO PreVoci (IdModelloPre, Codice, Descrizione) VALUES (1, 'C1', 'Voce 1')");
  bind("SELECT * FROM PreVoci");
  grid::GEXPreview preview;
  grid->printPreview(&preview);
  preview.show();
  QTRY_VERIFY(preview.pageCount() >= 1);
  QAction* print = preview.toolBar()->actions().value(0);
  ASSERT_NE(print, nullptr);
  EXPECT_EQ(print->text(), "&Stampa..");
  EXPECT_TRUE(print->isEnabled());

  grid.reset();
  EXPECT_FALSE(print->isEnabled());
  EXPECT_EQ(preview.pageCount(), 1);
  preview.setZoomMode(2);
  EXPECT_EQ(preview.pageCount(), 1);
}

QStringList printedPages(grid::GridEX& g) {
  QTemporaryDir dir;
  const QString pdf = dir.path() + "/griglia.pdf";
  QPrinter printer(QPrinter::ScreenResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  g.paintPages(&printer);
  return pdfPages(pdf);
}

// The preview's print button prints every page, headers included, on the printer the user chose;
// a cancelled choice prints nothing.
TEST_F(GridPrintTest, PrintButtonPrintsEveryPageOnThePrinterChosen) {
  for (int i = 0; i < 120; ++i)
    testdb::exec(
        cn,
        QStringLiteral("INSERT INTO PreVoci (IdModelloPre, Codice, Descrizione) VALUES (1, 'C%1', 'Voce %1')")
            .arg(i, 3, 10, QChar('0')));
  bind("SELECT * FROM PreVoci ORDER BY Codice");
  grid->printSettings().setHeaderText(grid::PrintCenter, "Intestazione di prova");
  grid::GEXPreview preview;
  grid->printPreview(&preview);
  preview.show();
  QTRY_VERIFY(preview.pageCount() >= 2);

  QTemporaryDir dir;
  const QString pdf = dir.path() + "/scelta.pdf";
  int asked = 0;
  grid::GEXPreview::setPrinterChooser([&](QPrinter* printer) {
    ++asked;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf);
    return asked > 1;
  });
  QAction* print = preview.toolBar()->actions().value(0);
  print->trigger();
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(QFile::exists(pdf));
  print->trigger();
  grid::GEXPreview::setPrinterChooser(nullptr);
  const QStringList pages = pdfPages(pdf);
  ASSERT_EQ(pages.size(), preview.pageCount());
  for (const QString& page : pages) EXPECT_TRUE(page.contains("Intestazione di prova"));
  EXPECT_TRUE(pages.last().contains("Voce 119"));
}

TEST_F(GridPrintTest, PagesCarryTheHeaderTextsAndTheColumnHeaders) {
  for (int i = 0; i < 150; ++i)
    testdb::exec(
        cn,
        QStringLiteral("INSERT INTO PreVoci (IdModelloPre, Codice, Descrizione) VALUES (1, 'C%1', 'Voce %1')")
            .arg(i, 3, 10, QChar('0')));
  bind("SELECT * FROM PreVoci ORDER BY Codice");
  grid->column(1)->setVisible(false);
  grid->printSettings().setHeaderText(grid::PrintLeft, "Sinistra");
  grid->printSettings().setHeaderText(grid::PrintCenter, "Modello: Prova");
  grid->printSettings().setFooterText(grid::PrintRight, "Piede");
  QStringList pages = printedPages(*grid);
  ASSERT_GE(pages.size(), 3);
  for (const QString& page : pages) {
    EXPECT_TRUE(page.contains("Modello: Prova"));
    EXPECT_TRUE(page.contains("Sinistra"));
    EXPECT_TRUE(page.contains("Piede"));
    EXPECT_TRUE(page.contains("Descrizione"));
    EXPECT_FALSE(page.contains("IdVocePre"));
  }
  EXPECT_TRUE(pages.first().contains("Voce 000"));
  EXPECT_TRUE(pages.last().contains("Voce 149"));

  grid->printSettings().setRepeatHeaders(false);
  pages = printedPages(*grid);
  ASSERT_GE(pages.size(), 3);
  EXPECT_TRUE(pages[0].contains("Descrizione"));
  EXPECT_FALSE(pages[1].contains("Descrizione"));
}

}  // namespace
