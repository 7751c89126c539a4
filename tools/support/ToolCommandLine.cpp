#include "tools/support/ToolCommandLine.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace tintoral {

std::vector<std::string> ToolArguments(int argc, char** argv) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

std::string HelpText(const TToolDescription& tool) {
  std::string text = "usage: " + std::string(tool.usage) + "\n" + std::string(tool.summary) + "\n\noptions:\n";
  if (!tool.options.empty()) text += std::string(tool.options) + "\n";
  text += "  --help     print this help and exit\n  --version  print the version and exit\n";
  return text;
}

bool AnswerHelpOrVersion(const TToolDescription& tool, const std::vector<std::string>& args) {
  const auto given = [&](const char* option) { return std::find(args.begin(), args.end(), option) != args.end(); };
  if (given("--help")) {
    std::fputs(HelpText(tool).c_str(), stdout);
    return true;
  }
  if (given("--version")) {
    std::printf("%.*s (Tintoral) %s\n", static_cast<int>(tool.name.size()), tool.name.data(), TINTORAL_VERSION);
    return true;
  }
  return false;
}

std::optional<std::string> PngNameProblem(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  std::string extension = dot == std::string_view::npos || dot == 0 ? "" : std::string(name.substr(dot));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".png") return std::nullopt;
  return "cannot write '" + std::string(path) + "': only PNG pictures are written, and the name must end in .png";
}

}  // namespace tintoral
