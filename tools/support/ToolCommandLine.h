#pragma once
// The command-line conventions every tool follows: --help prints the usage
// and the options, --version the tool's name and the project's version, both
// on standard output and before anything needs a display; output pictures
// must be named *.png, so that a name never promises a format the tool does
// not write.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintoral {

struct TToolDescription {
  std::string_view name;     // "formshot"
  std::string_view usage;    // "formshot FORM OUT.png [OPTION]..."
  std::string_view summary;  // one sentence: what the tool does
  std::string_view options;  // one line per option, indented; may be empty
};

// The arguments after the program name.
std::vector<std::string> ToolArguments(int argc, char** argv);

// When `args` hold --help or --version, prints the answer on standard output
// and returns true: the tool then exits 0 without doing anything else.
bool AnswerHelpOrVersion(const TToolDescription& tool, const std::vector<std::string>& args);

// The help text that --help prints.
std::string HelpText(const TToolDescription& tool);

// Why `path` cannot name an output picture (its extension is not .png, in
// any letter case), or nothing when it can.
std::optional<std::string> PngNameProblem(std::string_view path);

}  // namespace tintoral
