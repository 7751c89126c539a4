// paneldesigner [--sim FILE] [FORM]
//
// Opens a form file (or a new form) for designing: place, size and set up
// controls with the mouse or the keyboard and save the form file
// (DesignerWindow.h). --sim FILE is the simulation file that browsing and
// reading items use (the simulation link library) and that the preview (F9)
// gives panelview. Exits 1 without a display or with a missing simulation
// file, 2 on wrong usage.
#include <QApplication>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "platform/window/Application.h"
#include "platform/window/DisplayConnection.h"
#include "platform/window/SystemPalette.h"
#include "system/RuntimeFolder.h"
#include "tools/formshot/FormLoading.h"
#include "tools/paneldesigner/DesignerWindow.h"
#include "tools/support/SimulationLink.h"
#include "tools/support/ToolCommandLine.h"

namespace {

constexpr char kUsage[] = "paneldesigner [--sim FILE] [FORM]";
constexpr char kSummary[] =
    "Opens a text form file, or a new form, to place, size and set up its controls and save the file.";
constexpr char kOptions[] =
    "  --sim FILE  browse and read items on this simulation file, and preview (F9) the form in panelview on it\n";

struct Options {
  std::string formPath;
  std::string simPath;
};

// "" when the arguments are fine, else what is wrong.
std::string Parse(const std::vector<std::string>& args, Options& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--sim") {
      if (i + 1 == args.size()) return "--sim needs a simulation file";
      options.simPath = args[++i];
    } else if (args[i].rfind("--", 0) == 0) {
      return "unknown option '" + args[i] + "'";
    } else if (!options.formPath.empty()) {
      return "only one form file can be opened";
    } else {
      options.formPath = args[i];
    }
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tintoral;
  const std::vector<std::string> args = ToolArguments(argc, argv);
  if (AnswerHelpOrVersion({"paneldesigner", kUsage, kSummary, kOptions}, args)) return 0;
  Options options;
  if (const std::string problem = Parse(args, options); !problem.empty()) {
    std::fprintf(stderr, "paneldesigner: %s\nusage: %s\n", problem.c_str(), kUsage);
    return 2;
  }
  const TDisplayProbe display;
  if (const auto& unreachable = display.Problem()) {
    std::fprintf(stderr, "paneldesigner: %s\n", unreachable->c_str());
    return 1;
  }
  EnsurePrivateRuntimeFolder();
  // The colours of a desktop with no theme of its own, as formshot draws them.
  qunsetenv("QT_QPA_PLATFORMTHEME");
  qunsetenv("QT_STYLE_OVERRIDE");
  QApplication qt(argc, argv);
  LoadSystemColorsFromPalette();
  RegisterFormClasses();
  Application().Initialize();
  if (!options.simPath.empty()) {
    try {
      UseSimulationLink(options.simPath);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "paneldesigner: %s\n", error.what());
      return 1;
    }
  }
  DesignerWindow window(options.simPath);
  if (options.formPath.empty()) window.NewForm();
  else window.OpenFile(options.formPath);
  window.show();
  return QApplication::exec();
}
