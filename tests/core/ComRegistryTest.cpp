#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "core/comRegistry.h"
#include "tests/registry/RegistryFixture.h"

namespace {

const QString Settings = QStringLiteral("Software\\Corvane\\Gestione Commesse\\Settings");

comRegistry settingsValue(std::int32_t type, const QString& name) {
  comRegistry reg;
  reg.setClassKey(HKEY_CURRENT_USER);
  reg.setSectionKey(Settings);
  reg.setValueType(type);
  reg.setValueKey(name);
  return reg;
}

std::int32_t storedType(const QString& name) {
  HKEY key = 0;
  std::int32_t type = -1;
  if (registry::openKey(HKEY_CURRENT_USER, Settings, KEY_READ, &key) == ERROR_SUCCESS) {
    registry::queryValueInfo(key, name, &type, nullptr);
    registry::closeKey(key);
  }
  return type;
}

// Runs an operation that must fail and returns the error it raised.
template <class F>
RegistryError raised(F operation) {
  try {
    operation();
  } catch (const RegistryError& e) {
    return e;
  }
  ADD_FAILURE() << "no error raised";
  return RegistryError(0, {}, {});
}

QString source() {
  return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + ".comRegistry";
}

TEST_F(RegistryTest, MissingValueYieldsDefaultAndKeepsTheType) {
  comRegistry reg = settingsValue(REG_DWORD, "regLoadViewLayout");
  EXPECT_TRUE(reg.Value().isEmpty());
  reg.setDefault(std::int32_t(1));
  EXPECT_EQ(reg.Value(), Variant(std::int32_t(1)));
  EXPECT_EQ(reg.ValueType(), REG_DWORD);
  EXPECT_FALSE(reg.KeyExists());
  EXPECT_FALSE(QFile::exists(userStore()));  // reading creates nothing
}

TEST_F(RegistryTest, DwordRoundTripAndTypeTakenFromTheStore) {
  comRegistry reg = settingsValue(REG_DWORD, "regLoadViewLayout");
  reg.setValue(std::int32_t(10));
  EXPECT_TRUE(readStore(HKEY_CURRENT_USER).contains("\"regLoadViewLayout\"=dword:0000000a"));
  EXPECT_EQ(settingsValue(REG_SZ, "regLoadViewLayout").Value(), Variant(std::int32_t(10)));
  reg.setValue(std::int16_t(-1));
  EXPECT_EQ(reg.Value(), Variant(std::int32_t(-1)));

  comRegistry printer = settingsValue(REG_SZ, "001");
  printer.setValue("HP LaserJet");
  comRegistry asDword = settingsValue(REG_DWORD, "001");
  asDword.setDefault(std::int32_t(0));
  EXPECT_EQ(asDword.Value(), Variant("HP LaserJet"));
  EXPECT_EQ(asDword.ValueType(), REG_SZ);

  comRegistry bigEndian = settingsValue(REG_DWORD_BIG_ENDIAN, "Grande");
  bigEndian.setValue(std::int32_t(0x01020304));
  EXPECT_EQ(storedType("Grande"), REG_DWORD);
  EXPECT_EQ(bigEndian.Value(), Variant(std::int32_t(0x01020304)));
}

TEST_F(RegistryTest, TextNamingAVariableIsStoredExpandable) {
  qputenv("CORVANE_DATI", "/srv/dati");
  comRegistry reg = settingsValue(REG_SZ, "Cartella");
  reg.setValue("%CORVANE_DATI%/coms.mdb");
  EXPECT_EQ(storedType("Cartella"), REG_EXPAND_SZ);
  EXPECT_EQ(reg.Value(), Variant("/srv/dati/coms.mdb"));
  EXPECT_EQ(reg.ValueType(), REG_EXPAND_SZ);

  for (const char* text : {"100%", "a %% b", "50% e 10%"}) {
    comRegistry plain = settingsValue(REG_EXPAND_SZ, "Testo");
    plain.setValue(text);
    EXPECT_EQ(storedType("Testo"), text == QStringLiteral("50% e 10%") ? REG_EXPAND_SZ : REG_SZ) << text;
    EXPECT_EQ(plain.Value(), Variant(text));
  }
  comRegistry number = settingsValue(REG_SZ, "Numero");
  number.setValue(12.5);
  EXPECT_EQ(number.Value(), Variant("12,5"));
}

TEST_F(RegistryTest, WritesThatTheTypeCannotTakeFollowTheirRules) {
  comRegistry dword = settingsValue(REG_DWORD, "Flag");
  dword.setValue("testo");
  dword.setValue(1.5);
  EXPECT_EQ(storedType("Flag"), -1);  // nothing written, nothing raised

  comRegistry binary = settingsValue(REG_BINARY, "Dati");
  binary.setValue(QByteArray("\x00\x01\x02", 3));
  EXPECT_EQ(binary.Value(), Variant(QByteArray("\x00\x01\x02", 3)));
  RegistryError e = raised([&] { binary.setValue("non binario"); });
  EXPECT_EQ(e.number(), 26001);
  EXPECT_EQ(e.source(), source());

  comRegistry multi = settingsValue(REG_MULTI_SZ, "Lista");
  e = raised([&] { multi.setValue("uno"); });
  EXPECT_EQ(e.number(), comRegistry::ErrWriteFailed);
  EXPECT_EQ(e.number(), std::int32_t(0x800469A9u));
  EXPECT_EQ(e.description(), "Failed to set registry value Key: '-2147483647',Section: '" + Settings +
                                 "',Key: 'Lista' to value: 'uno'");
  EXPECT_EQ(storedType("Lista"), -1);

  comRegistry text = settingsValue(REG_SZ, "Nullo");
  e = raised([&] { text.setValue(Variant::null()); });
  EXPECT_EQ(e.number(), comRegistry::ErrWriteFailed);
  EXPECT_EQ(storedType("Nullo"), -1);
}

TEST_F(RegistryTest, UnreadableStoredDataYieldsDefault) {
  writeStore(HKEY_CURRENT_USER,
             "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\" + Settings.toUtf8() +
                 "]\n\"Corto\"=hex(4):01,02\n\"Vuoto\"=hex(1):\n\"SenzaZero\"=hex(1):61,00\n");
  comRegistry shortDword = settingsValue(REG_DWORD, "Corto");
  shortDword.setDefault(std::int32_t(7));
  EXPECT_EQ(shortDword.Value(), Variant(std::int32_t(7)));
  EXPECT_EQ(settingsValue(REG_SZ, "Vuoto").Value(), Variant(""));
  EXPECT_EQ(settingsValue(REG_SZ, "SenzaZero").Value(), Variant("a"));
}

TEST_F(RegistryTest, MachineNamesAndRemoteAccess) {
  comRegistry reg = settingsValue(REG_SZ, "001");
  reg.setMachine("abc");
  EXPECT_EQ(reg.Machine(), "\\\\abc");
  reg.setMachine("\\\\server");
  EXPECT_EQ(reg.Machine(), "\\\\server");
  reg.setMachine("ab");
  EXPECT_EQ(reg.Machine(), "");

  settingsValue(REG_SZ, "001").setValue("locale");
  reg.setMachine("server");
  reg.setDefault("predefinito");
  EXPECT_EQ(reg.Value(), Variant("predefinito"));
  const RegistryError e = raised([&] { reg.setValue("remoto"); });
  EXPECT_EQ(e.number(), 26001);
  EXPECT_EQ(settingsValue(REG_SZ, "001").Value(), Variant("locale"));
}

TEST_F(RegistryTest, KeyOperationsAndTheirErrors) {
  comRegistry reg = settingsValue(REG_SZ, "v");
  EXPECT_TRUE(reg.CreateKey());
  EXPECT_TRUE(reg.KeyExists());
  RegistryError e = raised([&] { reg.DeleteValue(); });
  EXPECT_EQ(e.number(), 26001);
  EXPECT_EQ(e.description(),
            "Failed to delete registry Key: '-2147483647',Section: '" + Settings + "',Key: 'v");
  reg.setValue("x");
  EXPECT_TRUE(reg.DeleteValue());
  EXPECT_EQ(storedType("v"), -1);
  EXPECT_TRUE(reg.DeleteKey());
  EXPECT_FALSE(reg.KeyExists());

  e = raised([&] { reg.DeleteKey(); });
  EXPECT_EQ(e.description(), "Failed to delete registry Key: '-2147483647',Section: '" + Settings);
  e = raised([&] { reg.DeleteValue(); });
  EXPECT_EQ(e.description(),
            "Failed to open key '-2147483647',Section: '" + Settings + "' for delete access");
  EXPECT_EQ(e.source(), source());

  reg.setSectionKey(QString(300, 'x'));
  e = raised([&] { reg.CreateKey(); });
  EXPECT_EQ(e.description(), "Failed to create registry Key: '" + QString(300, 'x'));
  e = raised([&] { reg.setValue("y"); });
  EXPECT_EQ(e.number(), 26001);
  EXPECT_TRUE(e.description().startsWith("Failed to set registry value Key: '-2147483647'"));
}

TEST_F(RegistryTest, EnumerationListsNamesInOrder) {
  for (const char* name : {"zeta", "alfa", "mu"}) settingsValue(REG_SZ, name).setValue(name);
  for (const char* key : {"Printers", "Colonne", "Settings"}) {
    comRegistry k;
    k.setClassKey(HKEY_CURRENT_USER);
    k.setSectionKey(QStringLiteral("Software\\Corvane\\Gestione Commesse\\") + key);
    k.CreateKey();
  }
  QStringList names{"vecchio"};
  std::int32_t count = 99;
  EXPECT_TRUE(settingsValue(REG_SZ, "").EnumerateValues(names, count));
  EXPECT_EQ(names, QStringList({"zeta", "alfa", "mu"}));
  EXPECT_EQ(count, 3);

  comRegistry parent;
  parent.setClassKey(HKEY_CURRENT_USER);
  parent.setSectionKey("Software\\Corvane\\Gestione Commesse");
  EXPECT_TRUE(parent.EnumerateSections(names, count));
  EXPECT_EQ(names, QStringList({"Colonne", "Printers", "Settings"}));
  EXPECT_EQ(count, 3);

  parent.setSectionKey("Software\\Manca");
  EXPECT_TRUE(parent.EnumerateSections(names, count));
  EXPECT_TRUE(names.isEmpty());
  EXPECT_EQ(count, 0);
}

TEST_F(RegistryTest, ValueExSetsThePropertiesAndEmptyTextWritesTheDefault) {
  comRegistry reg;
  reg.setValueEx(HKEY_CURRENT_USER, Settings, "Stampante", REG_SZ, "PDF", QString());
  EXPECT_EQ(reg.ValueKey(), "Stampante");
  EXPECT_EQ(reg.SectionKey(), Settings);
  EXPECT_EQ(reg.ClassKey(), HKEY_CURRENT_USER);
  EXPECT_EQ(reg.ValueEx(HKEY_CURRENT_USER, Settings, "Stampante", REG_DWORD, 0), Variant("PDF"));
  EXPECT_EQ(reg.ValueType(), REG_SZ);
  reg.setValueEx(HKEY_CURRENT_USER, Settings, "Stampante", REG_SZ, "PDF", "Laser");
  EXPECT_EQ(reg.ValueEx(HKEY_CURRENT_USER, Settings, "Stampante", REG_SZ, ""), Variant("Laser"));
  EXPECT_EQ(reg.ValueEx(HKEY_CURRENT_USER, Settings, "Manca", REG_SZ, "def"), Variant("def"));
  EXPECT_EQ(reg.Default(), Variant("def"));
}

}  // namespace
