#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <utility>

#include "core/MainWindowHooks.h"
#include "masterdata/OpenMasterDataForm.h"
#include "masterdata/frm_io_Clienti.h"
#include "masterdata/frm_io_UM.h"
#include "tests/support/FormTestSupport.h"

namespace {

// A stand-in main window that counts how often the entry windows ask it to re-read its view.
class OpenMasterDataFormTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    main = new QWidget;
    MainWindowHooks::registerMainWindow(main, [this] { ++refreshes; });
  }
  void TearDown() override {
    MainWindowHooks::unregisterMainWindow();
    FormTest::TearDown();
  }

  template <class Form>
  Form* shown() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* form = qobject_cast<Form*>(w); form && form->isVisible()) return form;
    return nullptr;
  }

  QWidget* main = nullptr;
  int refreshes = 0;
};

TEST_F(OpenMasterDataFormTest, NewSavesAndRefreshesTheMainWindow) {
  ASSERT_TRUE(OpenMasterDataForm("umi"));
  QPointer<frm_io_UM> form = shown<frm_io_UM>();
  ASSERT_FALSE(form.isNull());
  EXPECT_EQ(form->parentWidget(), main);
  EXPECT_EQ(form->cmdSalva->text(), "Salva");
  activate(form);
  type("lt");
  click(form->cmdSalva);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(testdb::count(cn, "SELECT Id FROM Liste WHERE Codice='LT' AND Chiave='um'"), 1);
}

TEST_F(OpenMasterDataFormTest, OpenOnTheRowAndCancelWithoutRefreshing) {
  testdb::exec(cn, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Gialli')");
  const Variant id = testdb::scalar(cn, "SELECT IdCliFor FROM CliFor WHERE Nome='Gialli'");
  ASSERT_TRUE(OpenMasterDataForm("cli", id));
  QPointer<frm_io_Clienti> form = shown<frm_io_Clienti>();
  ASSERT_FALSE(form.isNull());
  EXPECT_EQ(form->windowTitle(), "Gialli (cliente)");
  click(form->cmdAnnulla);
  EXPECT_EVENTUALLY(form.isNull());
  EXPECT_EQ(refreshes, 0);
}

TEST_F(OpenMasterDataFormTest, EveryMasterDataViewHasItsWindowAndOthersHaveNone) {
  const std::pair<const char*, QString> windows[] = {
      {"art", "Materiali"},          {"for", "Nuovo fornitore"}, {"cli", "Clienti"},   {"imp", "Impiegati"},
      {"cat", "Categorie Articoli"}, {"umi", "Unità di Misura"}, {"iva", "Codici IVA"}};
  for (const auto& [code, caption] : windows) {
    EXPECT_TRUE(OpenMasterDataForm(code)) << code;
    int shownWithCaption = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      shownWithCaption += w->isVisible() && w->windowTitle() == caption;
    EXPECT_EQ(shownWithCaption, 1) << code;
  }
  EXPECT_FALSE(OpenMasterDataForm("com"));
  EXPECT_FALSE(OpenMasterDataForm("rpu"));
  EXPECT_FALSE(OpenMasterDataForm("adi"));
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(OpenMasterDataFormTest, ARowThatIsGoneIsReportedAndNoWindowStays) {
  ASSERT_TRUE(OpenMasterDataForm("iva", Variant("NESSUNO")));
  EXPECT_EQ(messages, QStringList{"La registrazione richiesta non esiste più."});
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (QWidget* w : QApplication::topLevelWidgets())
    EXPECT_FALSE(w->isVisible()) << w->windowTitle().toStdString();
}

}  // namespace
