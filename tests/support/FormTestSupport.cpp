#include "tests/support/FormTestSupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QPointer>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "core/Globals.h"
#include "platform/db/Connection.h"
#include "platform/forms/MsgBox.h"
#include "tests/support/TestEnv.h"

void FormTest::SetUp() {
  ConnString = testenv::connectionString(testenv::freshDatabase());
  cn.Open(ConnString);
  DefaultIVA.clear();
  DefaultUM.clear();
  DefaultCat.clear();
  DataLavoro = QDate(2024, 3, 5);
  messages.clear();
  forms::setMsgBoxHandler([this](const forms::MsgBoxRequest& request) {
    messages << request.text;
    return static_cast<int>(forms::vbOK);
  });
}

void FormTest::TearDown() {
  cn.Close();
  forms::setMsgBoxHandler(nullptr);
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible()) w->hide();
    w->deleteLater();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void activate(QWidget* window) {
  window->activateWindow();
  QApplication::setActiveWindow(window);
  EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

QWidget* focused() { return QApplication::focusWidget(); }

void type(const QString& text) {
  for (const QChar c : text) {
    QWidget* target = focused();
    if (!target) {
      ADD_FAILURE() << "no control has the focus";
      return;
    }
    QTest::keyClick(target, c.toLatin1());
  }
}

void press(int key, Qt::KeyboardModifiers modifiers) {
  QWidget* target = focused();
  if (!target) {
    ADD_FAILURE() << "no control has the focus";
    return;
  }
  QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

namespace {

// Closes the modal window and whatever opened on top of it, hiding a window that refuses to close
// (a line the grid will not write, a form that keeps the focus), so that the modal call returns.
void closeModal(const QPointer<QWidget>& modal) {
  while (modal && modal->isVisible()) {
    QWidget* top = QApplication::activeModalWidget();
    if (!top) top = modal;
    top->close();
    if (top->isVisible()) top->hide();
  }
}

}  // namespace

Variant runModal(const std::function<Variant()>& call, const std::function<void(QWidget*)>& drive) {
  bool driven = false;
  QTimer::singleShot(0, [&] {
    QPointer<QWidget> modal;
    const bool shown = QTest::qWaitFor([&] {
      modal = QApplication::activeModalWidget();
      return modal && modal->isVisible();
    });
    if (!shown) {
      ADD_FAILURE() << "the modal window did not show";
      return;
    }
    activate(modal);
    drive(modal);
    driven = true;
    // A window left open, by a failed assertion or by mistake, would hang the run: close it and fail.
    if (modal && modal->isVisible()) {
      ADD_FAILURE() << "the modal window is still open after the test drove it";
      closeModal(modal);
    }
  });
  const Variant result = call();
  EXPECT_TRUE(driven);
  return result;
}

QStringList headingsCutShort(const QTableView* table) {
  const QHeaderView* header = table->horizontalHeader();
  // The text between the section's margins, and the sort arrow after another margin.
  const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
  const int margins = 3 * margin + header->style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header);
  QStringList cut;
  for (int section = 0; section < header->count(); ++section) {
    if (header->isSectionHidden(section)) continue;
    const QString caption = header->model()->headerData(section, Qt::Horizontal).toString();
    if (header->sectionSize(section) < header->fontMetrics().horizontalAdvance(caption) + margins)
      cut << caption;
  }
  return cut;
}
