// Started by the locale test under a system locale of its choice: starts the program as its main
// does, enters a new employee whose rate is typed "12.500" once the main window is up, prints an
// amount and a date as the program writes them and the C library's decimal point, one a line, and
// ends the program.
#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <clocale>
#include <cstdio>

#include "app/ProgramStart.h"
#include "app/frmMain.h"
#include "core/Globals.h"
#include "masterdata/frm_io_Imp.h"
#include "platform/forms/MsgBox.h"
#include "platform/runtime/Format.h"

namespace {

void typeInto(QWidget* focused, const QString& text) {
  QTest::keyClicks(focused, text);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

void enterEmployee() {
  auto* form = new frm_io_Imp;
  form->Nuovo(0);
  QApplication::setActiveWindow(form);
  if (!QTest::qWaitForWindowActive(form)) return;
  for (const char* text : {"Rossi", "Mario", "12.500"}) typeInto(QApplication::focusWidget(), text);
  form->cmdSalva->click();
}

void report() {
  const QString lines[] = {Format(Variant(1234.5), "##,##0.00"),
                           Format(Variant(QDate(2026, 12, 7)), "dddd d mmmm yyyy"),
                           QString::fromUtf8(std::localeconv()->decimal_point)};
  for (const QString& line : lines) std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

// Once the main window is shown, the work; then the program's event loop ends.
void whenStarted() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (qobject_cast<frmMain*>(window) && window->isVisible()) {
      enterEmployee();
      report();
      QApplication::exit(0);
      return;
    }
  }
  QTimer::singleShot(20, whenStarted);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(AppTitle);
  forms::setMsgBoxHandler([](const forms::MsgBoxRequest&) { return int(forms::vbOK); });
  frmMain::setSplashDuration(0);
  QTimer::singleShot(0, whenStarted);
  return startProgram();
}
