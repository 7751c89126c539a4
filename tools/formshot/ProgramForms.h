#pragma once
// The program's own form classes, which formshot builds as the program
// builds its windows: the class's constructor reads the layout text it is
// given, binds the layout's events to the class's handlers and runs its
// creation handler. A property set afterwards goes through its ordinary
// setter, so the handlers bound to the events it fires run as well.
#include <concepts>
#include <functional>
#include <memory>
#include <string_view>

#include "runtime/ClassInfo.h"
#include "runtime/Component.h"

namespace tintoral {

// Builds a form of one class from a layout text; the caller owns it.
using TProgramFormFactory = std::function<std::unique_ptr<TComponent>(std::string_view layoutText)>;

// Registers a form class under its name (letters compared without regard to
// case); registering the same name again replaces its factory.
void RegisterProgramForm(const TClassInfo& info, TProgramFormFactory factory);
template <class T>
requires std::constructible_from<T, TComponent*, std::string_view>
void RegisterProgramForm() {
  RegisterProgramForm(T::StaticClass(), [](std::string_view layoutText) -> std::unique_ptr<TComponent> {
    return std::make_unique<T>(nullptr, layoutText);
  });
}

// nullptr when no program form class has that name.
const TProgramFormFactory* FindProgramForm(std::string_view className);

// Registers the Tintoral program's windows: the main window TForm1 and the
// test-signal window TTestSignalsForm.
void RegisterTintoralForms();

}  // namespace tintoral
