#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>

#include "platform/report/ExportFilter.h"
#include "tests/support/RunTool.h"

using namespace report;

namespace {

// One hand-built A4 page written to PDF: a ticked and an empty check box, a text too wide for its
// box, a right-aligned amount and a text wrapped within its width. The page is read back rendered by poppler
// at 144 dpi (10 twips a pixel) and as text.
class PdfPage : public ::testing::Test {
 protected:
  static constexpr int TwipsPerPixel = 10;

  void SetUp() override {
    Page page{QSize(11906, 16838), {}, {}};
    page.items.push_back(box(QRect(1000, 1000, 195, 195), true));
    page.items.push_back(box(QRect(2000, 1000, 195, 195), false));
    page.items.push_back(text(clippedBox, QString(40, u'W'), false));
    page.items.push_back(text(amountBox, QStringLiteral("1.234,56"), false));
    page.items.back().style.alignment = Qt::AlignRight;
    page.items.push_back(text(QRect(1000, 4000, 1100, 255), QStringLiteral("Bulloni zincati"), true));
    PdfExport pdf;
    pdf.setFileName(dir.filePath("pagina.pdf"));
    pdf.Export(Pages{page});
    runTool("pdftoppm", {"-r", "144", "-gray", "-singlefile", pdf.fileName(), dir.filePath("pagina")});
    ASSERT_TRUE(rendered.load(dir.filePath("pagina.pgm")));
    pageText = runTool("pdftotext", {"-layout", pdf.fileName(), "-"});
  }

  static PageItem box(const QRect& rect, bool checked) {
    PageItem item;
    item.kind = PageItem::Kind::Box;
    item.rect = rect;
    item.checked = checked;
    return item;
  }

  static PageItem text(const QRect& rect, const QString& shown, bool wrap) {
    PageItem item;
    item.rect = rect;
    item.text = shown;
    item.wrap = wrap;
    return item;
  }

  // Dark pixels of the rendered page within an area given in twips.
  int darkPixels(const QRect& twips) const {
    const QRect pixels(twips.topLeft() / TwipsPerPixel, twips.size() / TwipsPerPixel);
    int dark = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
      for (int x = pixels.left(); x <= pixels.right(); ++x) dark += qGray(rendered.pixel(x, y)) < 128;
    return dark;
  }

  const QRect clippedBox{1000, 3000, 800, 255};
  const QRect amountBox{1000, 3500, 3000, 255};
  QTemporaryDir dir;
  QImage rendered;
  QString pageText;
};

}  // namespace

TEST_F(PdfPage, TickedBoxHasItsCross) {
  // The middle of a box is dark only where the cross runs through it.
  EXPECT_GT(darkPixels(QRect(1060, 1060, 75, 75)), 0);
  EXPECT_EQ(darkPixels(QRect(2060, 1060, 75, 75)), 0);
}

TEST_F(PdfPage, OneLineTextsKeepToTheirBoxes) {
  // The row of W fills its box and nothing to the right of it.
  EXPECT_GT(darkPixels(clippedBox), 0);
  EXPECT_EQ(
      darkPixels(QRect(clippedBox.right() + 2 * TwipsPerPixel, clippedBox.top(), 4000, clippedBox.height())),
      0);
  // The amount ends at its box's right edge.
  EXPECT_GT(darkPixels(amountBox.adjusted(amountBox.width() - 200, 0, 0, 0)), 0);
  EXPECT_EQ(darkPixels(amountBox.adjusted(0, 0, -1500, 0)), 0);
}

TEST_F(PdfPage, WrappedTextPrintsOnTwoLines) {
  const QStringList lines = pageText.split('\n');
  const auto first =
      std::find_if(lines.begin(), lines.end(), [](const QString& l) { return l.contains("Bulloni"); });
  ASSERT_NE(first, lines.end()) << pageText.toStdString();
  EXPECT_FALSE(first->contains("zincati")) << pageText.toStdString();
  ASSERT_NE(first + 1, lines.end());
  EXPECT_EQ((first + 1)->trimmed(), "zincati") << pageText.toStdString();
}
