#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "common/comfrmAbout.h"
#include "core/Globals.h"
#include "platform/forms/SharedInstance.h"
#include "tests/support/LinkDesktop.h"

namespace {

class AboutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QCoreApplication::setOrganizationName("Corvane");
    QCoreApplication::setApplicationVersion("2.5.13");
    owner.setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
  }
  void TearDown() override {
    forms::SharedInstance<comfrmAbout>::unload();
    QCoreApplication::setOrganizationName(QString());
    QCoreApplication::setApplicationVersion(QString());
  }
  comfrmAbout& about() { return forms::SharedInstance<comfrmAbout>::get(); }

  QWidget owner;
};

TEST_F(AboutTest, ShowsTitleVersionCompanyAndContacts) {
  EXPECT_EQ(about().windowTitle(), AppTitle);
  EXPECT_EQ(about().lblTitle->text(), AppTitle);
  EXPECT_EQ(about().lblVersion->text(), "Versione 2.5.13");
  EXPECT_EQ(about().lblCompanyName->text(), "Prodotto da: Corvane");
  EXPECT_TRUE(about().lblWarning->text().isEmpty());
  EXPECT_FALSE(about().lblMain->text().isEmpty());
  EXPECT_FALSE(about().lblWeb->text().isEmpty());
}

TEST_F(AboutTest, AnEmptyCompanyNameLeavesTheLabelEmpty) {
  QCoreApplication::setOrganizationName(QString());
  EXPECT_TRUE(about().lblCompanyName->text().isEmpty());
}

TEST_F(AboutTest, TheSplashIsFramelessCutAtTheDividerAndIgnoresASecondCall) {
  about().SplashOn(&owner, 60000, "/dati/coms.mdb");
  EXPECT_TRUE(about().isVisible());
  EXPECT_TRUE(about().captionRemoved());
  EXPECT_TRUE(about().windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(about().height(), about().linDivide->y());
  EXPECT_GT(about().cmdOK->y(), about().height());
  EXPECT_FALSE(about().cmdOK->isEnabled());
  EXPECT_FALSE(about().cmdSysInfo->isEnabled());
  EXPECT_EQ(about().lblPathEXE->text(), "/dati/coms.mdb");
  EXPECT_EQ(about().imgIcon->pixmap().isNull(), false);
  EXPECT_EQ(about().Timer1->interval(), 60000);

  about().SplashOn(&owner, 10, "/altro");
  EXPECT_EQ(about().lblPathEXE->text(), "/dati/coms.mdb");
  EXPECT_EQ(about().Timer1->interval(), 60000);
  about().Timer1->stop();
  about().SplashOff();
  EXPECT_FALSE(about().isVisible());
}

TEST_F(AboutTest, SplashOffWaitsForTheMinimumTimeOnlyWhileItLasts) {
  QElapsedTimer clock;
  clock.start();
  about().SplashOn(&owner, 0, "x");
  EXPECT_FALSE(about().Timer1->isActive());
  about().SplashOff();
  EXPECT_FALSE(about().isVisible());
  EXPECT_LT(clock.elapsed(), 200);

  about().SplashOn(&owner, 400, "x");
  clock.restart();
  about().SplashOff();
  EXPECT_GE(clock.elapsed(), 350);
  EXPECT_FALSE(about().isVisible());
  EXPECT_FALSE(about().captionRemoved());

  // Started longer ago than its minimum time: it goes at once.
  about().SplashOn(&owner, 100, "x");
  ASSERT_TRUE(QTest::qWaitFor([this] { return !about().Timer1->isActive(); }));
  clock.restart();
  about().SplashOff();
  EXPECT_LT(clock.elapsed(), 100);

  // Without a splash, SplashOff does nothing.
  about().SplashOff();
  EXPECT_FALSE(about().isVisible());
}

TEST_F(AboutTest, AfterASplashTheAboutBoxHasItsFrameFullHeightAndButtons) {
  about().SplashOn(&owner, 0, "x");
  about().SplashOff();
  bool checked = false;
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(about().isVisible());
    EXPECT_TRUE(about().isModal());
    EXPECT_FALSE(about().windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(about().height(), about().fullHeight());
    EXPECT_GT(about().height(), about().cmdSysInfo->geometry().bottom());
    EXPECT_TRUE(about().cmdOK->isEnabled());
    EXPECT_TRUE(about().cmdSysInfo->isEnabled());
    EXPECT_TRUE(about().lblPathEXE->text().isEmpty());
    EXPECT_EQ(about().parentWidget(), &owner);
    checked = true;
    QTest::mouseClick(about().cmdOK, Qt::LeftButton);
  });
  about().About(&owner, QString());
  EXPECT_TRUE(checked);
  EXPECT_FALSE(about().isVisible());
}

TEST_F(AboutTest, ContactLabelsOpenMailAndWebLinksThroughTheDesktop) {
  LinkDesktop desktop;
  for (const char* schema : {"mailto", "http", "https"})
    QDesktopServices::setUrlHandler(schema, &desktop, "open");
  QTest::mouseClick(about().lblMain, Qt::LeftButton);
  QTest::mouseClick(about().lblWeb, Qt::LeftButton);
  for (const char* schema : {"mailto", "http", "https"}) QDesktopServices::unsetUrlHandler(schema);

  ASSERT_EQ(desktop.opened.size(), 2);
  EXPECT_EQ(desktop.opened[0], QUrl("mailto:" + about().lblMain->text()));
  EXPECT_EQ(desktop.opened[1], QUrl(about().lblWeb->text()));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
