// docs/architecture.md names files and functions at each step of its roads:
// every file it names exists, and every function it names (a name with "::"
// or "()") stands in the file named last before it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/SourceTree.h"

namespace tintoral::test {
namespace {

bool IsPath(const std::string& token) {
  return token.find('/') != std::string::npos && token.find(' ') == std::string::npos &&
         token.find("NAME") == std::string::npos;
}

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// A C++ name, qualified with "::" or ending in "()" (plain std::regex is
// avoided: GCC 12 warns inside it under the sanitizers).
bool IsFunction(const std::string& token) {
  std::string name = token.ends_with("()") ? token.substr(0, token.size() - 2) : token;
  if (name.empty() || (name.find("::") == std::string::npos && !token.ends_with("()"))) return false;
  for (std::size_t start = 0;;) {
    const std::size_t end = std::min(name.find("::", start), name.size());
    if (end == start || std::isdigit(static_cast<unsigned char>(name[start]))) return false;
    for (std::size_t i = start; i < end; ++i)
      if (!IsWordChar(name[i])) return false;
    if (end == name.size()) return true;
    start = end + 2;
  }
}

// Whether `text` holds the last part of the function's name as a whole
// word followed by "(".
bool Holds(const std::string& text, const std::string& token) {
  std::string name = token.ends_with("()") ? token.substr(0, token.size() - 2) : token;
  const std::size_t colons = name.rfind("::");
  if (colons != std::string::npos) name = name.substr(colons + 2);
  const std::string call = name + "(";
  for (std::size_t at = text.find(call); at != std::string::npos; at = text.find(call, at + 1))
    if (at == 0 || !IsWordChar(text[at - 1])) return true;
  return false;
}

// The texts between backticks.
std::vector<std::string> CodeSpans(const std::string& text) {
  std::vector<std::string> spans;
  for (std::size_t open = text.find('`'); open != std::string::npos;) {
    const std::size_t close = text.find('`', open + 1);
    if (close == std::string::npos) break;
    if (close > open + 1) spans.push_back(text.substr(open + 1, close - open - 1));
    open = text.find('`', close + 1);
  }
  return spans;
}

TEST(ArchitectureDoc, EveryFileAndFunctionItNamesExists) {
  namespace fs = std::filesystem;
  const std::string text = SourceFileText("docs/architecture.md");
  std::vector<std::string> missing;
  std::string lastFile;
  int files = 0, functions = 0;
  for (const std::string& token : CodeSpans(text)) {
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
