#include "tools/panelview/PanelViewOptions.h"

#include <sstream>

#include "tools/support/ToolCommandLine.h"

namespace tintoral {
namespace {

bool ReadSeconds(const std::string& text, double& seconds) {
  std::istringstream in(text);
  return static_cast<bool>(in >> seconds) && in.eof() && seconds >= 0;
}

}  // namespace

std::string ParsePanelViewOptions(const std::vector<std::string>& arguments, TPanelViewOptions& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (argument == "--mark-errors") {
      options.markErrors = true;
    } else if (argument == "--shot") {
      if (i + 2 >= arguments.size()) return "--shot needs a picture file and a number of seconds";
      options.shotPath = arguments[i + 1];
      if (const auto problem = PngNameProblem(options.shotPath)) return *problem;
      if (!ReadSeconds(arguments[i + 2], options.shotSeconds))
        return "--shot: '" + arguments[i + 2] + "' is not a number of seconds";
      i += 2;
    } else if (argument == "--fullscreen") {
      options.fullScreen = true;
    } else if (argument == "--sim") {
      if (i + 1 >= arguments.size()) return "--sim needs a simulation file";
      options.simPath = arguments[++i];
    } else if (argument.size() > 1 && argument[0] == '-') {
      return "unknown option '" + argument + "'";
    } else {
      options.formPaths.push_back(argument);
    }
  }
  if (options.formPaths.empty() && !options.help && !options.version) return "no form file given";
  return "";
}

std::string PanelViewUsage() {
  return "usage: panelview [OPTIONS] FORM [FORM...] [OPTIONS]\n"
         "Opens the text form files in a window, live, with their data-link items connected,\n"
         "and reads each again whenever it changes. With several forms, one shows at a time\n"
         "and every form keeps its items connected: Ctrl+Page Down shows the next form,\n"
         "Ctrl+Page Up the one before. F11 turns full screen on and off; Escape leaves it.\n"
         "  --fullscreen          start full screen\n"
         "  --mark-errors         mark every instrument whose error flag is set with a red frame\n"
         "  --shot OUT.png SECS   save the window as OUT.png after SECS seconds, then exit\n"
         "  --sim FILE            connect the items to a simulated server whose generators FILE declares\n"
         "  --help, -h            show this text and exit\n"
         "  --version             show the version and exit\n";
}

}  // namespace tintoral
