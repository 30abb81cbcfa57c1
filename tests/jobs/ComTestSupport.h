#pragma once

#include <QApplication>
#include <QString>

#include "core/MainWindowHooks.h"
#include "tests/support/FormTestSupport.h"

// The job-order windows under a stand-in main window that counts how often they ask it to re-read
// its view, with two customers and one job order in the database.
class ComTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    main = new QWidget;
    MainWindowHooks::registerMainWindow(main, [this] { ++refreshes; });
    testdb::exec(
        cn,
        "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Bianchi Srl'), ('Cliente', 'Verdi Spa'), "
        "('Fornitore', 'Ferri Spa')");
    testdb::exec(
        cn,
        "INSERT INTO Commesse (CodCom, IdCliente, DesCom, EcoTar, Chiusa, Consegnata, InGaranzia, Attiva) "
        "VALUES ('C001', " +
            QString::number(customerId("Bianchi Srl")) + ", 'Impianto', 1234.5, True, False, False, True)");
  }
  void TearDown() override {
    MainWindowHooks::unregisterMainWindow();
    FormTest::TearDown();
  }

  int customerId(const QString& name) {
    return testdb::scalar(cn, "SELECT IdCliFor FROM CliFor WHERE Nome='" + name + "'").toInt();
  }

  // The visible windows of a class, most recently shown last.
  template <class Form>
  QList<Form*> shown() {
    QList<Form*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* form = qobject_cast<Form*>(w); form && form->isVisible()) found << form;
    return found;
  }

  QWidget* main = nullptr;
  int refreshes = 0;
};
