// formshot FORM OUT.png [--set Component.Property=Value]... [--locale xx_YY] [--classic-colors]
//
// Reads a text form file (see FormLoading.h: the program's main window is
// built as the program builds it, forms of unregistered classes are read
// into a stand-in), applies the assignments in order after loading through
// the properties' setters (so the events they fire reach the handlers the
// layout binds), renders the form's client area off-screen and writes it
// as a PNG. --locale takes the decimal separator of the named locale for the
// numbers the controls show, from before the form is built. System colours
// come from Qt's default palette, as the program shows them on a desktop
// with no theme of its own; --classic-colors keeps the classic table.
// Warns on standard error, with the file and the line, about what reads but
// will not show as meant (a caption cut, FormWarnings.h) and goes on.
// Prints one line naming the problem and exits 1 when the form, an
// assignment or the output cannot be used; 2 on wrong usage.
#include <QApplication>
#include <cstdio>
#include <memory>
#include <optional>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PngEncoder.h"
#include "platform/window/Control.h"
#include "platform/window/SystemPalette.h"
#include "runtime/Exception.h"
#include "system/Locale.h"
#include "system/RuntimeFolder.h"
#include "tools/formshot/ClassReference.h"
#include "tools/formshot/CommandLine.h"
#include "tools/formshot/FormLoading.h"
#include "tools/support/ToolCommandLine.h"

namespace tintoral {
namespace {

std::unique_ptr<ScopedDecimalSeparator> UseLocale(const std::optional<std::string>& locale) {
  if (!locale) return nullptr;
  const std::optional<char> separator = DecimalSeparatorOfLocale(*locale);
  if (!separator) throw InvalidOperation("Locale '" + *locale + "' is not installed");
  return std::make_unique<ScopedDecimalSeparator>(*separator);
}

void Shoot(const TFormShotOptions& options) {
  const auto separator = UseLocale(options.locale);
  TLoadedForm form = LoadFormFile(options.formPath);
  for (const std::string& warning : form.Warnings()) std::fprintf(stderr, "formshot: %s\n", warning.c_str());
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
  const std::vector<std::string> args = ToolArguments(argc, argv);
  if (AnswerHelpOrVersion({"formshot", kFormShotUsage, kFormShotSummary, kFormShotOptions}, args)) return 0;
  TFormShotOptions options;
  try {
    options = ParseFormShotCommandLine(args);
  } catch (const Exception& error) {
    std::fprintf(stderr, "formshot: %s\nusage: %s\n", error.Message().c_str(), kFormShotUsage);
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The colours of a desktop with no theme of its own: no theme plugin, no style override.
  qunsetenv("QT_QPA_PLATFORMTHEME");
  qunsetenv("QT_STYLE_OVERRIDE");
  EnsurePrivateRuntimeFolder();
  int qtArgc = 1;
  QApplication qt(qtArgc, argv);
  try {
    if (!options.classicColors) LoadSystemColorsFromPalette();
    RegisterFormClasses();
    if (options.classes) std::fputs(RegisteredClassReferenceMarkdown().c_str(), stdout);
    else Shoot(options);
  } catch (const Exception& error) {
    std::fprintf(stderr, "formshot: %s\n", error.Message().c_str());
    return 1;
  }
  return 0;
}
