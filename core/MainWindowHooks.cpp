#include "core/MainWindowHooks.h"

#include <QPointer>
#include <QWidget>

namespace MainWindowHooks {

namespace {
QPointer<QWidget>& window() {
  static QPointer<QWidget> w;
  return w;
}
SetLayFunction& setLayFn() {
  static SetLayFunction f;
  return f;
}
}  // namespace

void registerMainWindow(QWidget* w, SetLayFunction setLay) {
  window() = w;
  setLayFn() = std::move(setLay);
}

void registerMainWindow(QWidget* w, std::function<void()> setLay) {
  registerMainWindow(w, [setLay = std::move(setLay)](const QString&, const Variant&) { setLay(); });
}

void unregisterMainWindow() {
  window() = nullptr;
  setLayFn() = nullptr;
}

QWidget* mainWindow() { return window().data(); }

void SetLay() { SetLay(QString(), Variant()); }

void SetLay(const QString& viewCode, const Variant& savedKey) {
  if (window() && setLayFn()) setLayFn()(viewCode, savedKey);
}

}  // namespace MainWindowHooks
