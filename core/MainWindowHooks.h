#pragma once

#include <QString>
#include <functional>

#include "platform/runtime/Variant.h"

class QWidget;

// The entry forms refresh the main window and use it as their owner without depending on it: the
// main window registers itself here when it is created.
namespace MainWindowHooks {

// setLay re-reads the current view; it is given the view and key of a record just saved (both empty
// when no record is named).
using SetLayFunction = std::function<void(const QString& viewCode, const Variant& savedKey)>;
void registerMainWindow(QWidget* window, SetLayFunction setLay);
// The same for a window that only re-reads its view.
void registerMainWindow(QWidget* window, std::function<void()> setLay);
void unregisterMainWindow();

// The main window, or nullptr while there is none (in tests of a single form).
QWidget* mainWindow();

// frmMain.SetLay: re-reads the current view, keeping its current record. Does nothing while there
// is no main window.
void SetLay();
// The same after an entry window saved the record with that key, listed in the view with that code:
// when that view is current, the saved record becomes the current row.
void SetLay(const QString& viewCode, const Variant& savedKey);

}  // namespace MainWindowHooks
