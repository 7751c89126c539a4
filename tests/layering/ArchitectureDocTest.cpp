// docs/architecture.md names files and functions at each step of its roads:
// every file it names exists, and every function it names (a name with "::"
// or "()") stands in the file named last before it.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/SourceTree.h"

namespace tintoral::test {
namespace {

bool IsPath(const std::string& token) {
  return token.find('/') != std::string::npos && token.find(' ') == std::string::npos &&
         token.find("NAME") == std::string::npos;
}

bool IsFunction(const std::string& token) {
  static const std::regex function(R"(([A-Za-z_]\w*::)*[A-Za-z_]\w*(\(\))?)");
  return std::regex_match(token, function) && (token.find("::") != std::string::npos || token.ends_with("()"));
}

// Whether `text` holds the last part of the function's name as a whole
// word followed by "(".
bool Holds(const std::string& text, const std::string& token) {
  std::string name = token.ends_with("()") ? token.substr(0, token.size() - 2) : token;
  const std::size_t colons = name.rfind("::");
  if (colons != std::string::npos) name = name.substr(colons + 2);
  return std::regex_search(text, std::regex("(^|[^A-Za-z0-9_])" + name + "\\("));
}

TEST(ArchitectureDoc, EveryFileAndFunctionItNamesExists) {
  namespace fs = std::filesystem;
  const std::string text = SourceFileText("docs/architecture.md");
  const std::regex code("`([^`]+)`");
  std::vector<std::string> missing;
  std::string lastFile;
  int files = 0, functions = 0;
  for (auto match = std::sregex_iterator(text.begin(), text.end(), code); match != std::sregex_iterator(); ++match) {
    const std::string token = (*match)[1];
    if (IsPath(token)) {
      ++files;
      if (!fs::exists(fs::path(SourceRoot()) / token)) missing.push_back("no file " + token);
      else if (!fs::is_directory(fs::path(SourceRoot()) / token)) lastFile = token;
    } else if (IsFunction(token)) {
      ++functions;
      if (lastFile.empty() || !Holds(SourceFileText(lastFile), token))
        missing.push_back(token + " not in " + (lastFile.empty() ? "any file named before it" : lastFile));
    }
  }
  EXPECT_GT(files, 20);
  EXPECT_GT(functions, 20);
  EXPECT_EQ(missing, std::vector<std::string>{});
}

}  // namespace
}  // namespace tintoral::test
