// formshot FORM OUT.png [--set Component.Property=Value]... [--locale xx_YY]
//
// Reads a text form file (see FormLoading.h: the program's main window is
// built as the program builds it, forms of unregistered classes are read
// into a stand-in), applies the assignments in order after loading through
// the properties' setters (so the events they fire reach the handlers the
// layout binds), renders the form's client area off-screen and writes it
// as a PNG. --locale takes the decimal separator of the named locale for the
// numbers the controls show, from before the form is built.
// Prints one line naming the problem and exits 1 when the form, an
// assignment or the output cannot be used; 2 on wrong usage.
#include <QApplication>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>

#include "instruments/InstrumentClasses.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PngEncoder.h"
#include "platform/window/Control.h"
#include "platform/window/Form.h"
#include "platform/window/StandardControls.h"
#include "runtime/Exception.h"
#include "system/Locale.h"
#include "tools/formshot/CommandLine.h"
#include "tools/formshot/FormLoading.h"
#include "tools/formshot/ProgramForms.h"

namespace tintoral {
namespace {

// Every class a form file may name, and the program's own form classes.
// Called explicitly, so that the linker keeps the registering code of each
// library.
void RegisterFormClasses() {
  RegisterWindowClasses();
  RegisterStandardControls();
  RegisterInstruments();
  RegisterTintoralForms();
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError("Cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw FileError("Cannot read " + path);
  return text.str();
}

std::unique_ptr<ScopedDecimalSeparator> UseLocale(const std::optional<std::string>& locale) {
  if (!locale) return nullptr;
  const std::optional<char> separator = DecimalSeparatorOfLocale(*locale);
  if (!separator) throw InvalidOperation("Locale '" + *locale + "' is not installed");
  return std::make_unique<ScopedDecimalSeparator>(*separator);
}

void Shoot(const TFormShotOptions& options) {
  const std::string text = ReadTextFile(options.formPath);
  const auto separator = UseLocale(options.locale);
  TLoadedForm form = LoadForm(text);
  for (const TPropertyAssignment& assignment : options.assignments) ApplyPropertyAssignment(form.Root(), assignment);
  auto* control = dynamic_cast<TControl*>(&form.Root());
  if (!control) throw InvalidOperation("The root '" + form.Root().Name() + "' is not a control");
  TBitmap picture;
  control->RenderTo(picture);
  SavePng(picture, options.pngPath);
}

}  // namespace
}  // namespace tintoral

int main(int argc, char** argv) {
  using namespace tintoral;
  TFormShotOptions options;
  try {
    options = ParseFormShotCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const Exception& error) {
    std::fprintf(stderr, "formshot: %s\n%s\n", error.Message().c_str(), kFormShotUsage);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication qt(qtArgc, argv);
  try {
    RegisterFormClasses();
    Shoot(options);
  } catch (const Exception& error) {
    std::fprintf(stderr, "formshot: %s\n", error.Message().c_str());
    return 1;
  }
  return 0;
}
