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

// The index of an action's tool on the preview toolbar.
int toolOf(PreviewAction action) {
  const PreviewToolbar toolbar;
  for (int i = 0; i < PreviewToolbar::ToolCount; ++i)
    if (toolbar.tool(i).action == action) return i;
  return -1;
}

// Presses the tool of a preview action on the window's toolbar.
void press(ReportViewer* viewer, PreviewAction action) {
  QAction* tool = viewer->toolAction(toolOf(action));
  ASSERT_NE(tool, nullptr) << "tool " << int(action);
  QTest::mouseClick(viewer->findChild<QToolBar*>()->widgetForAction(tool), Qt::LeftButton);
}

void choose(QComboBox* zoom, int index) {
  zoom->setCurrentIndex(index);
  emit zoom->activated(index);
}

// A 150-article list in a preview that hides some tools, renames others and prints on a printer
// that does not exist.
class ReportViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto r = std::make_unique<ArticleList>();
    r->dc1.setConnectionString(testenv::connectionString(seededDatabase(150)));
    r->dc1.setSource("SELECT * FROM Articoli ORDER BY Categoria, Codice");
    for (PreviewAction hidden : {PreviewAction::CopyPage, PreviewAction::FirstPage, PreviewAction::LastPage,
                                 PreviewAction::CopyText, PreviewAction::Close})
      r->toolbar().tool(toolOf(hidden)).visible = false;
    r->toolbar().tool(toolOf(PreviewAction::Print)).caption = "Stampa";
    r->toolbar().setZoomCaption(1, "Larghezza");
    r->toolbar().setZoomCaption(2, "Pagina");
    r->setCaption("Rubrica Clienti");
    r->setPrinterDeviceName("StampanteInesistente");
    viewer = r->Show();
    r.reset();  // the window keeps its own pages
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
  }
  void TearDown() override {
    if (viewer) viewer->close();
  }

  QPointer<ReportViewer> viewer;
};

}  // namespace

TEST_F(ReportViewerTest, ShowsTheCaptionToolsAndZoomChoicesAsSetOnTheScreen) {
  EXPECT_EQ(viewer->windowTitle(), "Rubrica Clienti");
  EXPECT_TRUE(viewer->screen()->availableGeometry().contains(viewer->frameGeometry()))
      << "the whole window is on the screen";
  EXPECT_EQ(shownTools(viewer), (QStringList{"Stampa", "Riduci", "Ingrandisci", "Pagina precedente",
                                             "Pagina successiva", "Indietro", "Avanti"}));
  EXPECT_EQ(viewer->toolAction(toolOf(PreviewAction::CopyPage)), nullptr);
  EXPECT_EQ(viewer->toolAction(toolOf(PreviewAction::Close)), nullptr);
  QComboBox* zoom = viewer->zoomBox();
  ASSERT_EQ(zoom->count(), 7);
  EXPECT_EQ(zoom->itemText(0), "Larghezza");
  EXPECT_EQ(zoom->itemText(1), "Pagina");
  EXPECT_EQ(zoom->itemText(4), "100%");
}

TEST_F(ReportViewerTest, NavigatesByToolsByTypedNumberAndBackAndForward) {
  const int pages = viewer->pageCount();
  ASSERT_GE(pages, 4);
  EXPECT_EQ(viewer->currentPage(), 1);
  EXPECT_FALSE(viewer->toolAction(toolOf(PreviewAction::PreviousPage))->isEnabled());
  press(viewer, PreviewAction::NextPage);
  press(viewer, PreviewAction::NextPage);
  EXPECT_EQ(viewer->currentPage(), 3);
  EXPECT_EQ(viewer->pageBox()->text(), "3");
  viewer->pageBox()->clear();
  QTest::keyClicks(viewer->pageBox(), QString::number(pages));
  QTest::keyClick(viewer->pageBox(), Qt::Key_Return);
  EXPECT_EQ(viewer->currentPage(), pages);
  EXPECT_FALSE(viewer->toolAction(toolOf(PreviewAction::NextPage))->isEnabled());
  press(viewer, PreviewAction::Back);
  EXPECT_EQ(viewer->currentPage(), 3);
  press(viewer, PreviewAction::Forward);
  EXPECT_EQ(viewer->currentPage(), pages);
}

// The page opens as wide as the window and keeps so when it grows; the whole page fits the
// window; 100% is the page's real size on screen; from a fitting choice, zooming in makes the page
// larger and zooming out smaller.
TEST_F(ReportViewerTest, ZoomChoicesFitTheWindowOrScaleThePage) {
  QComboBox* zoom = viewer->zoomBox();
  QWidget* viewport = viewer->findChild<QScrollArea*>()->viewport();
  QWidget* page = viewer->findChild<QScrollArea*>()->widget();
  EXPECT_NEAR(page->width(), viewport->width(), 2);
  viewer->resize(viewer->width() + 200, viewer->height());
  QTRY_COMPARE_WITH_TIMEOUT(std::abs(page->width() - viewport->width()) <= 2, true, 2000);
  choose(zoom, 1);
  EXPECT_LE(page->height(), viewport->height());
  EXPECT_LE(page->width(), viewport->width());
  choose(zoom, 0);
  EXPECT_NEAR(page->width(), viewport->width(), 2);
  EXPECT_GT(page->height(), viewport->height());
  choose(zoom, 4);
  EXPECT_NEAR(viewer->scale(), 1.0 / 15, 1e-9);
  press(viewer, PreviewAction::ZoomIn);
  EXPECT_EQ(zoom->currentText(), "150%");
  for (PreviewAction step : {PreviewAction::ZoomIn, PreviewAction::ZoomOut}) {
    choose(zoom, 0);
    const int fitting = page->width();
    press(viewer, step);
    if (step == PreviewAction::ZoomIn)
      EXPECT_GT(page->width(), fitting) << zoom->currentText().toStdString();
    else
      EXPECT_LT(page->width(), fitting) << zoom->currentText().toStdString();
  }
}

TEST_F(ReportViewerTest, AFailedPrintIsReportedToTheCallerAndEscClosesTheWindow) {
  QSignalSpy failures(viewer.data(), &ReportViewer::printFailed);
  press(viewer, PreviewAction::Print);
  ASSERT_EQ(failures.size(), 1);
  EXPECT_EQ(failures[0][0].toString(),
            "La stampante \"StampanteInesistente\" non esiste o non è disponibile.");
  EXPECT_TRUE(viewer->isVisible());
  viewer->activateWindow();
  QTest::keyClick(viewer->pageBox(), Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return viewer.isNull() || !viewer->isVisible(); })) << "Esc closes it";
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
