// The real program on a machine without the fonts its layouts name nor any
// of their substitutes: with one unrelated font only, and with no font at
// all. It must start, paint its main window and end cleanly when closed; Qt
// draws the texts in whatever font fontconfig offers (or none).
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "tests/e2e/support/ProgramSession.h"

namespace tintoral::e2e {
namespace {

// A folder with a fontconfig file that offers the fonts linked into it.
class FontFolder {
 public:
  FontFolder() : path_(mkdtemp(name_)) {}
  ~FontFolder() { std::filesystem::remove_all(path_); }
  void Offer(const std::string& fontFile) {
    std::filesystem::create_symlink(fontFile, path_ / std::filesystem::path(fontFile).filename());
  }
  std::string ConfigFile() const {
    const auto config = path_ / "fonts.conf";
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>"
                          << "<dir>" << path_.string() << "</dir><cachedir>" << (path_ / "cache").string()
                          << "</cachedir></fontconfig>\n";
    return config.string();
  }

 private:
  char name_[32] = "/tmp/tintoral-fonts-XXXXXX";
  std::filesystem::path path_;
};

// The file of a font that no layout names and no substitution offers.
std::optional<std::string> UnrelatedFontFile() {
  const CommandResult found = RunCommand({"fc-match", "-f", "%{file}", "URW Gothic"}, {});
  if (found.status != 0 || found.output.find("URWGothic") == std::string::npos) return std::nullopt;
  return found.output;
}

TEST(FontFallbackTest, TheProgramStartsAndEndsWithOneUnrelatedFontOrNone) {
  if (!XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed: end-to-end tests skipped";
  const std::optional<std::string> unrelated = UnrelatedFontFile();
  if (!unrelated) GTEST_SKIP() << "URW Gothic is not installed (scripts/setup.sh installs it)";
  for (const bool withFont : {true, false}) {
    SCOPED_TRACE(withFont ? "URW Gothic only" : "no font");
    FontFolder fonts;
    if (withFont) fonts.Offer(*unrelated);
    ProgramSession session({"FONTCONFIG_FILE=" + fonts.ConfigFile()});  // throws unless painted
    EXPECT_EQ(session.CloseMainWindow(), std::optional<int>(0));
  }
}

}  // namespace
}  // namespace tintoral::e2e
