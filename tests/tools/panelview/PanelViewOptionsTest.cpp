// panelview's command line: options before or after the form, and the
// mistakes it names.
#include <gtest/gtest.h>

#include "tools/panelview/PanelViewOptions.h"

namespace tintoral {
namespace {

TEST(PanelViewOptions, OptionsStandBeforeOrAfterTheFormAndMistakesAreNamed) {
  struct Case {
    std::vector<std::string> arguments;
    std::string problem;
    std::string form, shot;
    double seconds;
    bool markErrors, help;
    std::string sim = "";
    std::vector<std::string> more = {};  // forms after the first
    bool fullScreen = false;
  };
  const Case cases[] = {
      {{"panel.txt"}, "", "panel.txt", "", 0, false, false},
      {{"--mark-errors", "panel.txt"}, "", "panel.txt", "", 0, true, false},
      {{"panel.txt", "--shot", "out.png", "2.5", "--mark-errors"}, "", "panel.txt", "out.png", 2.5, true, false},
      {{"--shot", "out.png", "15", "panel.txt"}, "", "panel.txt", "out.png", 15, false, false},
      {{"--help"}, "", "", "", 0, false, true},
      {{}, "no form file given", "", "", 0, false, false},
      {{"a.txt", "--fullscreen", "b.txt"}, "", "a.txt", "", 0, false, false, "", {"b.txt"}, true},
      {{"panel.txt", "--shot", "out.jpg", "2"},
       "cannot write 'out.jpg': only PNG pictures are written, and the name must end in .png",
       "panel.txt",
       "",
       0,
       false,
       false},
      {{"panel.txt", "--shot", "out.png"},
       "--shot needs a picture file and a number of seconds",
       "panel.txt",
       "",
       0,
       false,
       false},
      {{"panel.txt", "--shot", "out.png", "-1"},
       "--shot: '-1' is not a number of seconds",
       "panel.txt",
       "out.png",
       -1,
       false,
       false},
      {{"--fast", "panel.txt"}, "unknown option '--fast'", "", "", 0, false, false},
      {{"--sim", "tank.sim", "panel.txt"}, "", "panel.txt", "", 0, false, false, "tank.sim"},
      {{"panel.txt", "--sim"}, "--sim needs a simulation file", "panel.txt", "", 0, false, false},
  };
  for (const Case& c : cases) {
    TPanelViewOptions options;
    const std::string problem = ParsePanelViewOptions(c.arguments, options);
    const std::string label = c.arguments.empty() ? "(none)" : c.arguments[0];
    EXPECT_EQ(problem, c.problem) << label;
    if (!problem.empty()) continue;
    std::vector<std::string> forms = c.more;
    if (!c.help) forms.insert(forms.begin(), c.form);
    EXPECT_EQ(options.formPaths, forms) << label;
    EXPECT_EQ(options.fullScreen, c.fullScreen) << label;
    EXPECT_EQ(options.shotPath, c.shot) << label;
    EXPECT_EQ(options.shotSeconds, c.seconds) << label;
    EXPECT_EQ(options.markErrors, c.markErrors) << label;
    EXPECT_EQ(options.help, c.help) << label;
    EXPECT_EQ(options.simPath, c.sim) << label;
  }
  for (const char* option :
       {"--mark-errors", "--fullscreen", "--shot OUT.png SECS", "--sim FILE", "--help", "--version", "Ctrl+Page Down"})
    EXPECT_NE(PanelViewUsage().find(option), std::string::npos) << option;
}

}  // namespace
}  // namespace tintoral
