#include "core/MainWindowHooks.h"

#include <QPointer>
#include <QWidget>

namespace MainWindowHooks {

namespace {
QPointer<QWidget>& window() {
  static QPointer<QWidget> w;
  return w;
}
std::function<void()>& setLayFn() {
  static std::function<void()> f;
  return f;
}
}  // namespace

void registerMainWindow(QWidget* w, std::function<void()> setLay) {
  window() = w;
  setLayFn() = std::move(setLay);
}

void unregisterMainWindow() {
  window() = nullptr;
  setLayFn() = nullptr;
}

QWidget* mainWindow() { return window().data(); }

void SetLay() {
  if (window() && setLayFn()) setLayFn()();
}

}  // namespace MainWindowHooks
