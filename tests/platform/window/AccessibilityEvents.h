#pragma once
// Records, for its lifetime, the change events that the controls report to
// assistive technology, as "NameChanged <name>" and "ValueChanged <value>".
#include <QAccessible>
#include <string>
#include <vector>

#include "platform/window/ControlAccessible.h"

namespace tintoral::test {

class AccessibilityEvents {
 public:
  AccessibilityEvents() { previous_ = SetAccessibleEventSink(&Record); }
  ~AccessibilityEvents() {
    SetAccessibleEventSink(previous_);
    Log().clear();
  }
  AccessibilityEvents(const AccessibilityEvents&) = delete;
  AccessibilityEvents& operator=(const AccessibilityEvents&) = delete;

  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(Log());
    return taken;
  }

 private:
  static std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
  }
  static void Record(QAccessibleEvent* event) {
    if (event->type() == QAccessible::NameChanged)
      Log().push_back("NameChanged " + event->accessibleInterface()->text(QAccessible::Name).toStdString());
    if (event->type() == QAccessible::ValueChanged)
      Log().push_back("ValueChanged " +
                      static_cast<QAccessibleValueChangeEvent*>(event)->value().toString().toStdString());
  }

  AccessibleEventSink previous_ = nullptr;
};

}  // namespace tintoral::test
