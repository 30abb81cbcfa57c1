#pragma once

#include <QPointer>

namespace forms {

// The single shared instance of a window class, created on first use and unloaded on request. Other
// windows reach a form this way when they call it modally; the main window's commands create fresh
// instances with new instead.
template <class Form>
class SharedInstance {
 public:
  static Form& get() {
    if (!slot()) slot() = new Form();
    return *slot();
  }
  static bool loaded() { return !slot().isNull(); }
  // Destroys the instance now; the next get() creates a new one.
  static void unload() { delete slot().data(); }

 private:
  static QPointer<Form>& slot() {
    static QPointer<Form> instance;
    return instance;
  }
};

}  // namespace forms
