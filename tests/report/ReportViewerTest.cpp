#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "platform/report/ReportError.h"
#include "platform/report/ReportViewer.h"
#include "tests/report/ReportTestSupport.h"
#include "tests/support/TestEnv.h"

using namespace report;
using namespace reporttest;

namespace {

QStringList shownTools(ReportViewer* viewer) {
  QStringList captions;
  for (QAction* a : viewer->findChild<QToolBar*>()->actions())
    if (a->isVisible() && !a->isSeparator() && !a->text().isEmpty()) captions << a->text();
  return captions;
}

void click(ReportViewer* viewer, int tool) {
  QAction* action = viewer->toolAction(tool);
  ASSERT_NE(action, nullptr) << "tool " << tool;
  QTest::mouseClick(viewer->findChild<QToolBar*>()->widgetForAction(action), Qt::LeftButton);
}

}  // namespace

TEST(ReportViewer, ShowsTheToolbarAsSetAndNavigatesPagesAndZooms) {
  auto r = std::make_unique<ArticleList>();
  r->dc1.setConnectionString(testenv::connectionString(seededDatabase(150)));
  r->dc1.setSource("SELECT * FROM Articoli ORDER BY Categoria, Codice");
  for (int hidden : {0, 1, 3, 4, 5, 6, 18, 19, 20}) r->toolbar().tool(hidden).visible = false;
  r->toolbar().tool(2).caption = "Stampa";
  r->toolbar().setZoomCaption(1, "Larghezza");
  r->toolbar().setZoomCaption(2, "Pagina");
  r->setCaption("Rubrica Clienti");
  r->setPrinterDeviceName("StampanteInesistente");
  ReportViewer* viewer = r->Show();
  r.reset();  // the window keeps its own pages
  ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));

  EXPECT_EQ(viewer->windowTitle(), "Rubrica Clienti");
  EXPECT_TRUE(viewer->screen()->availableGeometry().contains(viewer->frameGeometry()))
      << "the whole window is on the screen";
  EXPECT_EQ(shownTools(viewer), (QStringList{"Stampa", "Riduci", "Ingrandisci", "Pagina precedente",
                                             "Pagina successiva", "Indietro", "Avanti"}));
  EXPECT_EQ(viewer->toolAction(0), nullptr);
  EXPECT_EQ(viewer->toolAction(20), nullptr);
  QComboBox* zoom = viewer->zoomBox();
  ASSERT_EQ(zoom->count(), 7);
  EXPECT_EQ(zoom->itemText(0), "Larghezza");
  EXPECT_EQ(zoom->itemText(1), "Pagina");
  EXPECT_EQ(zoom->itemText(4), "100%");

  const int pages = viewer->pageCount();
  ASSERT_GE(pages, 4);
  EXPECT_EQ(viewer->currentPage(), 1);
  EXPECT_FALSE(viewer->toolAction(11)->isEnabled());
  click(viewer, 12);
  click(viewer, 12);
  EXPECT_EQ(viewer->currentPage(), 3);
  EXPECT_EQ(viewer->pageBox()->text(), "3");
  viewer->pageBox()->clear();
  QTest::keyClicks(viewer->pageBox(), QString::number(pages));
  QTest::keyClick(viewer->pageBox(), Qt::Key_Return);
  EXPECT_EQ(viewer->currentPage(), pages);
  EXPECT_FALSE(viewer->toolAction(12)->isEnabled());
  click(viewer, 15);
  EXPECT_EQ(viewer->currentPage(), 3);
  click(viewer, 16);
  EXPECT_EQ(viewer->currentPage(), pages);

  // Zoom: the page opens as wide as the window and keeps so when it grows; the whole page fits
  // the window; 100% is the page's real size on screen.
  QWidget* viewport = viewer->findChild<QScrollArea*>()->viewport();
  QWidget* page = viewer->findChild<QScrollArea*>()->widget();
  EXPECT_NEAR(page->width(), viewport->width(), 2);
  viewer->resize(viewer->width() + 200, viewer->height());
  QTRY_COMPARE_WITH_TIMEOUT(std::abs(page->width() - viewport->width()) <= 2, true, 2000);
  zoom->setCurrentIndex(1);
  emit zoom->activated(1);
  EXPECT_LE(page->height(), viewport->height());
  EXPECT_LE(page->width(), viewport->width());
  zoom->setCurrentIndex(0);
  emit zoom->activated(0);
  EXPECT_NEAR(page->width(), viewport->width(), 2);
  EXPECT_GT(page->height(), viewport->height());
  zoom->setCurrentIndex(4);
  emit zoom->activated(4);
  EXPECT_NEAR(viewer->scale(), 1.0 / 15, 1e-9);
  click(viewer, 8);
  EXPECT_EQ(zoom->currentText(), "150%");
  // From a fitting choice, zooming in makes the page larger and zooming out smaller.
  for (int tool : {8, 7}) {
    zoom->setCurrentIndex(0);
    emit zoom->activated(0);
    const int fitting = page->width();
    click(viewer, tool);
    if (tool == 8) EXPECT_GT(page->width(), fitting) << zoom->currentText().toStdString();
    else EXPECT_LT(page->width(), fitting) << zoom->currentText().toStdString();
  }

  // Printing on a printer that does not exist reports it in Italian to the caller; the window stays.
  QSignalSpy failures(viewer, &ReportViewer::printFailed);
  click(viewer, 2);
  ASSERT_EQ(failures.size(), 1);
  EXPECT_EQ(failures[0][0].toString(), "La stampante \"StampanteInesistente\" non esiste o non è disponibile.");
  EXPECT_TRUE(viewer->isVisible());
  QPointer<ReportViewer> shownViewer = viewer;
  viewer->activateWindow();
  QTest::keyClick(viewer->pageBox(), Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return shownViewer.isNull() || !shownViewer->isVisible(); })) << "Esc closes it";
  if (shownViewer) shownViewer->close();
}

TEST(ReportViewer, PrintingWithoutDialogOnAMissingPrinterIsAnError) {
  ArticleList r;
  r.dc1.setConnectionString(testenv::connectionString(seededDatabase(2)));
  r.dc1.setSource("SELECT * FROM Articoli");
  r.setPrinterDeviceName("Nessuna'Stampante");
  try {
    r.Print(false);
    FAIL() << "no error";
  } catch (const ReportError& e) {
    EXPECT_EQ(e.description(), "La stampante \"Nessuna'Stampante\" non esiste o non è disponibile.");
  }
  EXPECT_FALSE(r.pages().empty());  // the report ran all the same
  r.setPrinterDeviceName(QString());
  EXPECT_THROW(r.Print(false), ReportError);
}
