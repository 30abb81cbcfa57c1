// The test helper that drives modal windows: a window left open after the drive, even one that
// refuses to close, is closed so that the run goes on, and the test fails.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QDialog>

#include "tests/support/FormTestSupport.h"

namespace {

class StubbornDialog : public QDialog {
 protected:
  void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

TEST(RunModal, AWindowLeftOpenIsClosedAndFailsTheTest) {
  StubbornDialog dialog;
  bool returned = false;
  EXPECT_NONFATAL_FAILURE(
      {
        runModal(
            [&] {
              dialog.exec();
              returned = true;
              return Variant();
            },
            [](QWidget*) {});
      },
      "still open");
  EXPECT_TRUE(returned);
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
