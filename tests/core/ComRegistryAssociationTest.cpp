#include "core/comRegistry.h"
#include "tests/registry/RegistryFixture.h"

namespace {

QString defaultText(HKEY root, const QString& path) {
  comRegistry reg;
  reg.setClassKey(root);
  reg.setSectionKey(path);
  reg.setValueType(REG_SZ);
  reg.setDefault("<manca>");
  return reg.Value().toString();
}

TEST_F(RegistryTest, FileAssociationIsWrittenUnderBothClassRoots) {
  comRegistry reg;
  RegistryError e(0, {}, {});
  try {
    reg.CreateAdditionalEXEAssociations({"edit", "&Modifica", "\"/opt/gc\" -e \"%1\""});
  } catch (const RegistryError& error) {
    e = error;
  }
  EXPECT_EQ(e.description(), "Error - attempt to create additional associations before class defined.");

  reg.CreateEXEAssociation("/opt/gc/gestione", "GestCom.Documento", "Documento commesse", ".gcm", "&Apri",
                           true, "&Stampa", false, "&Nuovo", false, "&Installa", 2);
  for (const auto& [root, prefix] : {std::pair{HKEY_CLASSES_ROOT, QString()},
                                     std::pair{HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Classes\\")}}) {
    EXPECT_EQ(defaultText(root, prefix + ".gcm"), "GestCom.Documento");
    EXPECT_EQ(defaultText(root, prefix + "GestCom.Documento"), "Documento commesse");
    EXPECT_EQ(defaultText(root, prefix + "GestCom.Documento\\DefaultIcon"), "/opt/gc/gestione,2");
    EXPECT_EQ(defaultText(root, prefix + "GestCom.Documento\\shell\\open"), "&Apri");
    EXPECT_EQ(defaultText(root, prefix + "GestCom.Documento\\shell\\open\\command"),
              "\"/opt/gc/gestione\" \"%1\"");
    EXPECT_EQ(defaultText(root, prefix + "GestCom.Documento\\shell\\print"), "&Stampa");
    EXPECT_EQ(defaultText(root, prefix + "GestCom.Documento\\shell\\new"), "<manca>");
  }

  try {
    reg.CreateAdditionalEXEAssociations({"edit", "&Modifica"});
    ADD_FAILURE() << "an incomplete triple must be refused";
  } catch (const RegistryError& error) {
    EXPECT_EQ(error.number(), 26001);
    EXPECT_EQ(
        error.description(),
        "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
  }
  reg.CreateAdditionalEXEAssociations({"edit", "&Modifica", "\"/opt/gc\" -e \"%1\" \"%2\""});
  EXPECT_EQ(defaultText(HKEY_CLASSES_ROOT, "GestCom.Documento\\shell\\edit"), "&Modifica");
  EXPECT_EQ(defaultText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\GestCom.Documento\\shell\\edit\\command"),
            "\"/opt/gc\" -e \"%1\" \"%2\"");
}

}  // namespace
