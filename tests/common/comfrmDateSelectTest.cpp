#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QPushButton>

#include "common/comfrmDateSelect.h"
#include "platform/runtime/DateTime.h"
#include "tests/support/FormTestSupport.h"

namespace {

Variant pick(const std::function<void(comfrmDateSelect*)>& drive) {
  return runModal([] { return comfrmDateSelect::Apri(QStringLiteral("Seleziona la Data")); },
                  [&](QWidget* dialog) { drive(qobject_cast<comfrmDateSelect*>(dialog)); });
}

TEST(DateSelect, OkReturnsTheShownDayAndCancellingReturnsNullAfterAnEarlierDate) {
  const QDate today = Today();
  const Variant untouched = pick([](comfrmDateSelect* d) {
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "Seleziona la Data");
    click(d->cmdOK);
  });
  EXPECT_EQ(untouched, Variant(today));

  const Variant moved = pick([](comfrmDateSelect* d) {
    d->mv->setFocus();
    press(Qt::Key_Right);
    click(d->cmdOK);
  });
  EXPECT_EQ(moved, Variant(today.addDays(1)));

  EXPECT_TRUE(pick([](comfrmDateSelect* d) { click(d->cmdCancel); }).isNull());
  EXPECT_TRUE(pick([](comfrmDateSelect* d) {
                d->mv->setFocus();
                press(Qt::Key_Right);
                d->close();
              }).isNull());
  EXPECT_TRUE(pick([](comfrmDateSelect*) { press(Qt::Key_Escape); }).isNull());
}

}  // namespace
