#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "common/comfrmSendError.h"
#include "core/Globals.h"
#include "tests/support/FormTestSupport.h"
#include "tests/support/LinkDesktop.h"

namespace {

class SendErrorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QCoreApplication::setApplicationVersion("2.5.13");
    QDesktopServices::setUrlHandler("mailto", &desktop, "open");
  }
  void TearDown() override {
    QDesktopServices::unsetUrlHandler("mailto");
    QCoreApplication::setApplicationVersion(QString());
  }
  // Opens the report on the error and presses the button.
  void report(const QString& description, bool send) {
    QTimer::singleShot(0, [&] {
      auto* form = qobject_cast<comfrmSendError*>(QApplication::activeModalWidget());
      ASSERT_NE(form, nullptr);
      EXPECT_EQ(form->windowTitle(), " Errore");
      EXPECT_EQ(form->lblTitle->text(), "Errore nell'applicazione");
      EXPECT_EQ(form->Label1[5]->text(), "5");
      EXPECT_EQ(form->Label1[6]->text(), description);
      click(send ? form->cmdSend : form->cmdNoSend);
    });
    comfrmSendError::Apri(" Errore", "Errore nell'applicazione", 5, description, "M", "R", "S");
  }
  LinkDesktop desktop;
};

TEST_F(SendErrorTest, SendingOpensTheMailLinkOfTheErrorAndNotSendingOpensNothing) {
  report("D", false);
  EXPECT_TRUE(desktop.opened.isEmpty());

  report("D", true);
  const QString link =
      "mailto:" + comfrmSendError::supportAddress() + "?Subject=_err_app " + AppTitle +
      " 2.5.13&Body=Codice: 5%0D%0ADescrizione: D%0D%0ASorgente: S%0D%0AModulo: M%0D%0ARoutine: R";
  EXPECT_EQ(comfrmSendError::MailLink(
                comfrmSendError::supportAddress(), "", "", "_err_app " + AppTitle + " 2.5.13",
                "Codice: 5%0D%0ADescrizione: D%0D%0ASorgente: S%0D%0AModulo: M%0D%0ARoutine: R"),
            link)
      << "every space left as it is";
  ASSERT_EQ(desktop.opened.size(), 1);
  EXPECT_EQ(desktop.opened[0], QUrl(link));
  EXPECT_FALSE(comfrmSendError::supportAddress().isEmpty());

  report("Più & meno", true);
  ASSERT_EQ(desktop.opened.size(), 2);
  EXPECT_TRUE(
      desktop.opened[1].toString(QUrl::FullyEncoded).contains("Descrizione:%20Pi%C3%B9%20%26%20meno%0D%0A"))
      << desktop.opened[1].toString(QUrl::FullyEncoded).toStdString();
}

TEST_F(SendErrorTest, EncodingAndTheLinkFollowTheirRules) {
  EXPECT_EQ(comfrmSendError::URLEncode("a b%c~!"), "a b%c~!") << "printable ASCII stays, spaces and % too";
  EXPECT_EQ(comfrmSendError::URLEncode("x&y\ncr\r\tz"), "x%26y%0Acr%0D%09z");
  EXPECT_EQ(comfrmSendError::URLEncode("Fattura #12"), "Fattura %2312") << "a # would cut the body short";
  EXPECT_EQ(comfrmSendError::URLEncode(QString::fromUtf8("è€日")), "%C3%A8%E2%82%AC%E6%97%A5");
  EXPECT_EQ(comfrmSendError::URLEncode(QString::fromUtf8("\U0001F600")), "%F0%9F%98%80");

  EXPECT_EQ(comfrmSendError::MailLink("a@b.it", "", "", "", ""), "mailto:a@b.it");
  EXPECT_EQ(comfrmSendError::MailLink("a@b.it", "c@d.it", "e&f", "Sì & no", "x&y"),
            QString::fromUtf8("mailto:a@b.it?CC=c@d.it&BCC=e%26f&Subject=Sì & no&Body=x%26y"))
      << "the subject is not encoded, and its & splits the query";
  EXPECT_EQ(comfrmSendError::MailLink("a@b.it", "", "", "", "corpo"), "mailto:a@b.it?Body=corpo");
}

}  // namespace
