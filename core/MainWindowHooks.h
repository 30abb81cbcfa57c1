#pragma once

#include <functional>

class QWidget;

// The entry forms refresh the main window and use it as their owner without depending on it: the
// main window registers itself here when it is created.
namespace MainWindowHooks {

void registerMainWindow(QWidget* window, std::function<void()> setLay);
void unregisterMainWindow();

// The main window, or nullptr while there is none (in tests of a single form).
QWidget* mainWindow();

// frmMain.SetLay: re-reads the current view. Does nothing while there is no main window.
void SetLay();

}  // namespace MainWindowHooks
