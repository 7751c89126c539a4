#include "tools/formshot/CommandLine.h"

#include "runtime/Exception.h"
#include "tools/support/ToolCommandLine.h"

namespace tintoral {

TFormShotOptions ParseFormShotCommandLine(const std::vector<std::string>& args) {
  TFormShotOptions options;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool takesValue = arg == "--set" || arg == "--locale";
    if (takesValue && i + 1 == args.size()) throw InvalidOperation(arg + " needs a value");
    if (arg == "--set") options.assignments.push_back(ParsePropertyAssignment(args[++i]));
    else if (arg == "--locale") options.locale = args[++i];
    else if (arg == "--classic-colors") options.classicColors = true;
    else if (arg == "--classes") options.classes = true;
    else if (arg.rfind("--", 0) == 0) throw InvalidOperation("Unknown option " + arg);
    else files.push_back(arg);
  }
  if (options.classes && files.empty()) return options;
  if (files.size() != 2) throw InvalidOperation("Expected a form file and an output file");
  options.formPath = files[0];
  options.pngPath = files[1];
  if (const auto problem = PngNameProblem(options.pngPath)) throw InvalidOperation(*problem);
  return options;
}

}  // namespace tintoral
