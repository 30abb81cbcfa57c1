#include <gtest/gtest.h>

#include <QDate>

#include "core/Globals.h"
#include "core/MainModule.h"
#include "core/comRegistry.h"
#include "tests/support/Printers.h"
#include "tests/support/TestEnv.h"

namespace {

const QString Settings = "Software\\Corvane\\" + AppTitle + "\\Settings";

void writeSetting(const Variant& value, std::int32_t type) {
  comRegistry registry;
  registry.setClassKey(HKEY_CURRENT_USER);
  registry.setSectionKey(Settings);
  registry.setValueType(type);
  registry.setValueKey("regLoadViewLayout");
  registry.setValue(value);
}

void removeSetting() {
  comRegistry registry;
  registry.setClassKey(HKEY_CURRENT_USER);
  registry.setSectionKey(Settings);
  registry.setValueKey("regLoadViewLayout");
  if (registry.KeyExists()) {
    try {
      registry.DeleteValue();
    } catch (const RegistryError&) {
      // the value was not there
    }
  }
}

class MainWindowInit : public ::testing::Test {
 protected:
  void SetUp() override {
    RegKeySettings = Settings;
    setProgramFolder(testenv::programDir());
    removeSetting();
  }
  void TearDown() override {
    removeSetting();
    setProgramFolder(QString());
  }
};

TEST_F(MainWindowInit, SetsTheWorkingDateAndTheHelpFile) {
  DataLavoro = QDate();
  AnnoLavoro = 0;
  const QDate before = QDate::currentDate();
  initMainWindow();
  const QDate after = QDate::currentDate();

  EXPECT_TRUE(DataLavoro == before || DataLavoro == after);
  EXPECT_EQ(AnnoLavoro, DataLavoro.year());
  EXPECT_EQ(HelpFile, testenv::programDir() + "/tarvel.chm");
}

TEST_F(MainWindowInit, LayoutsComeFromTheDatabaseOnlyWhenTheSettingIsOne) {
  EXPECT_TRUE(initMainWindow()) << "absent";

  writeSetting(std::int32_t(1), REG_DWORD);
  EXPECT_TRUE(initMainWindow());
  writeSetting(std::int32_t(0), REG_DWORD);
  EXPECT_FALSE(initMainWindow());
  writeSetting(std::int32_t(2), REG_DWORD);
  EXPECT_FALSE(initMainWindow());
  // A value stored with another type is read by its own type; bytes are not a number.
  writeSetting(QStringLiteral("1"), REG_SZ);
  EXPECT_TRUE(initMainWindow());
  writeSetting(QByteArray("\x01\x00\x00\x00", 4), REG_BINARY);
  EXPECT_FALSE(initMainWindow());
}

TEST_F(MainWindowInit, ReadsTheRegistryThroughTheGivenDefault) {
  EXPECT_EQ(LeggiRegistro(HKEY_CURRENT_USER, Settings, REG_DWORD, "nonEsiste", Variant(std::int32_t(7))),
            Variant(std::int32_t(7)));
  EXPECT_TRUE(LeggiRegistro(HKEY_CURRENT_USER, Settings, REG_DWORD, "nonEsiste").isEmpty());
  writeSetting(std::int32_t(5), REG_DWORD);
  EXPECT_EQ(
      LeggiRegistro(HKEY_CURRENT_USER, Settings, REG_DWORD, "regLoadViewLayout", Variant(std::int32_t(1)))
          .toInt(),
      5);
}

}  // namespace
