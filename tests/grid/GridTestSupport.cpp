#include "tests/grid/GridTestSupport.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QTest>

#include "platform/db/Connection.h"
#include "tests/support/TestEnv.h"

namespace gridtest {

void GridFixture::SetUp() {
  dbPath = testenv::freshDatabase();
  connString = testenv::connectionString(dbPath);
  cn.Open(connString);
  messages.clear();
  forms::setMsgBoxHandler([this](const forms::MsgBoxRequest& request) {
    messages.push_back(request);
    return answer;
  });
  grid = std::make_unique<grid::GridEX>();
  grid->resize(800, 600);
  grid->setConnectionString(connString);
}

void GridFixture::TearDown() {
  grid.reset();
  cn.Close();
  forms::setMsgBoxHandler(nullptr);
}

void GridFixture::bind(const QString& jetSql) {
  grid->setRecordSource(jetSql);
  grid->rebind();
  grid->show();
  QApplication::setActiveWindow(grid.get());
  grid->setFocus();
}

QWidget* GridFixture::visibleEditor(const QMetaObject& type) {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (QWidget* w : grid->view()->findChildren<QWidget*>())
    if (w->isVisible() && type.cast(w) && w->parentWidget() != grid->view()) return w;
  return nullptr;
}

void GridFixture::clickRow(int row) {
  auto* view = qobject_cast<QAbstractItemView*>(grid->view());
  const int modelRow = row == -1 ? view->model()->rowCount() - 1 : row - 1;
  const int column = view->currentIndex().isValid() ? view->currentIndex().column() : 0;
  const QRect cell = view->visualRect(view->model()->index(modelRow, column));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

}  // namespace gridtest
