#include "tests/app/MainWindowFixture.h"
#include "core/Globals.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>

#include "platform/forms/ButtonBar.h"
#include "platform/forms/StatusBar.h"
#include "platform/grid/GridEX.h"
#include "tests/app/TestData.h"

void MainWindowFixture::SetUp() {
  testdata::createDatabase();
  cn.Open(ConnString);
  shell::setPrinterSource([this] { return printers; });
  forms::setMsgBoxHandler([this](const forms::MsgBoxRequest& r) {
    shown.push_back(r);
    return answer;
  });
  frmMain::setSplashDuration(0);
}

void MainWindowFixture::TearDown() {
  w.reset();
  cn.Close();
  forms::setMsgBoxHandler(nullptr);
  shell::setPrinterSource(nullptr);
}

void MainWindowFixture::start() {
  w = std::make_unique<frmMain>();
  w->Visualizza();
  QApplication::setActiveWindow(w.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
}

grid::GridEX* MainWindowFixture::gexView() const { return control<grid::GridEX>("gexView"); }
QLineEdit* MainWindowFixture::txtFind() const { return control<QLineEdit>("txtFind"); }
QComboBox* MainWindowFixture::cmbFilter() const { return control<QComboBox>("cmbFilter"); }
QLabel* MainWindowFixture::lblTitle() const { return control<QLabel>("lblTitle"); }
forms::ButtonBar* MainWindowFixture::bb() const { return control<forms::ButtonBar>("bb"); }
forms::StatusBar* MainWindowFixture::sb() const { return control<forms::StatusBar>("sb"); }

QTableView* MainWindowFixture::table() const { return qobject_cast<QTableView*>(gexView()->view()); }

QHeaderView* MainWindowFixture::header() const { return table()->horizontalHeader(); }

void MainWindowFixture::showView(int index) {
  for (QAction* item : control<QMenu>("mnuView")->actions())
    if (!item->data().isNull() && item->data().toInt() == index) item->trigger();
}

bool MainWindowFixture::selectRow(const QString& key, const Variant& value) {
  const int column = gexView()->column(key)->index();
  for (int r = 1; r <= gexView()->rowCount(); ++r) {
    if (gexView()->rowValue(r, column) == value) {
      gexView()->setRow(r);
      return true;
    }
  }
  return false;
}

Variant MainWindowFixture::currentValue(const QString& key) const {
  return gexView()->value(gexView()->column(key)->index());
}

void MainWindowFixture::clickHeader(const QString& key) {
  const int logical = gexView()->column(key)->index() - 1;
  QHeaderView* h = header();
  const QPoint point(h->sectionViewportPosition(logical) + h->sectionSize(logical) / 2, h->height() / 2);
  QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

void MainWindowFixture::typeText(const QString& text) {
  for (const QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

void MainWindowFixture::pressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers) {
  widget->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), widget);
  QTest::keyClick(widget, static_cast<Qt::Key>(key), modifiers);
}

QStringList MainWindowFixture::messages() const {
  QStringList texts;
  for (const forms::MsgBoxRequest& r : shown)
    if (!r.text.startsWith("Attenzione!")) texts << r.text;
  return texts;
}
