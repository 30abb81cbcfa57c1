#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "common/comfrmTip.h"
#include "core/Globals.h"
#include "core/comRegistry.h"
#include "tests/support/FormTestSupport.h"
#include "tests/support/TestEnv.h"

namespace {

class TipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A settings key of its own: the setting starts missing.
    RegKeySettings = "Software\\Corvane\\Prova suggerimenti " + QString::number(++s_keys) + "\\Settings";
  }
  void TearDown() override { setProgramFolder(QString()); }

  static Variant setting() {
    comRegistry reg;
    return reg.ValueEx(HKEY_CURRENT_USER, RegKeySettings, "regLoadTipsAtStartup", REG_DWORD,
                       Variant("mancante"));
  }
  // A program folder whose tips file holds these bytes (no file for a null array).
  static void tipsFile(const QByteArray& content) {
    const QString folder = testenv::homeDir() + "/suggerimenti-" + QString::number(++s_folders);
    QDir().mkpath(folder);
    if (!content.isNull()) {
      QFile file(folder + "/TIPOFDAY.TXT");
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(content);
    }
    setProgramFolder(folder);
  }
  // Runs ShowTip; drive is called with the form when it shows. False when nothing was shown.
  static bool showTip(const std::function<void(comfrmTip*)>& drive) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
      auto* form = qobject_cast<comfrmTip*>(QApplication::activeModalWidget());
      if (!form) return;
      shown = true;
      drive(form);
      if (form->isVisible()) form->close();
    });
    comfrmTip::ShowTip();
    QCoreApplication::processEvents();
    return shown;
  }
  static inline int s_folders = 0;
  static inline int s_keys = 0;
};

TEST_F(TipTest, ShowsAnInstalledTipAndTheCheckBoxWritesTheSettingAtOnce) {
  EXPECT_TRUE(showTip([](comfrmTip* f) {
    EXPECT_EQ(f->windowTitle(), " Suggerimento del giorno");
    EXPECT_EQ(f->Label1->text(), "Non tutti sanno che ...");
    EXPECT_GE(f->tips().size(), 10) << "the tips file installed beside the program";
    for (const QString& tip : f->tips()) EXPECT_FALSE(tip.trimmed().isEmpty());
    EXPECT_TRUE(f->tips().contains(f->lblTipText->text()));
    EXPECT_TRUE(f->chkLoadTipsAtStartup->isChecked());
    EXPECT_EQ(setting(), Variant(std::int32_t(1))) << "a missing setting is written when the form loads";
    click(f->chkLoadTipsAtStartup);
    EXPECT_EQ(setting(), Variant(std::int32_t(0))) << "unticking writes 0 before the form closes";
    click(f->cmdOK);
    EXPECT_FALSE(f->isVisible());
  }));
  EXPECT_FALSE(showTip([](comfrmTip*) {})) << "switched off: nothing is shown";
}

TEST_F(TipTest, NextNeverShowsTheSameTipTwiceAndAnEmptyLineIsATip) {
  tipsFile("Primo\n\n  Terzo con spazi  \n");
  showTip([](comfrmTip* f) {
    ASSERT_EQ(f->tips(), (QStringList{"Primo", "", "  Terzo con spazi  "}));
    QSet<int> drawn;
    for (int i = 0; i < 60; ++i) {
      const int before = f->currentTip();
      click(f->cmdNextTip);
      EXPECT_NE(f->currentTip(), before);
      EXPECT_EQ(f->lblTipText->text(), f->tips().value(f->currentTip() - 1));
      drawn << f->currentTip();
    }
    EXPECT_EQ(drawn, (QSet<int>{1, 2, 3}));
  });
}

TEST_F(TipTest, FewerThanTwoTipsOrNoFileKeepTheFormUsable) {
  tipsFile("L'unico suggerimento\n");
  showTip([](comfrmTip* f) {
    click(f->cmdNextTip);
    EXPECT_EQ(f->currentTip(), 1);
    EXPECT_EQ(f->lblTipText->text(), "L'unico suggerimento");
  });

  tipsFile(QByteArray(""));
  showTip([](comfrmTip* f) {
    EXPECT_TRUE(f->tips().isEmpty());
    EXPECT_EQ(f->currentTip(), 1);
    click(f->cmdNextTip);
    EXPECT_TRUE(f->lblTipText->text().isEmpty());
  });

  tipsFile(QByteArray());
  showTip([](comfrmTip* f) {
    EXPECT_EQ(f->lblTipText->text(), "File TIPOFDAY.TXT non trovato.");
    click(f->cmdNextTip);
    EXPECT_EQ(f->lblTipText->text(), "File TIPOFDAY.TXT non trovato.");
    EXPECT_TRUE(f->cmdOK->isEnabled());
  });
}

}  // namespace
