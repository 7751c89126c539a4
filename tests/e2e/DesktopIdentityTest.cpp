// The real program under Xvfb as the desktop sees it: its windows carry the
// program's icon at the installed sizes, the main window's class is the
// desktop entry's name (which the entry gives as StartupWMClass), and the
// process ends promptly once the main window is closed.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "tests/e2e/support/ProgramSession.h"

namespace tintoral::e2e {
namespace {

constexpr char kDesktopEntryName[] = "org.tintoral.Tintoral";
// Long enough for a loaded machine and the sanitizers' exit checks, short
// of the seconds a thread left waiting out a time limit would take.
constexpr auto kExitLimit = std::chrono::milliseconds(3000);

std::string DesktopEntry() {
  std::ifstream in(DESKTOP_ENTRY);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void ExpectProgramIcon(const XTools& x, const std::string& window, const std::string& which) {
  const std::string icon = x.WindowProperty(window, "_NET_WM_ICON");
  for (const char* size : {"16 x 16", "48 x 48", "256 x 256"})
    EXPECT_NE(icon.find(std::string("Icon (") + size + ")"), std::string::npos) << which << " has no icon of " << size;
}

TEST(DesktopIdentityTest, WindowsCarryTheIconAndClassAndTheProcessEndsPromptlyAfterClosing) {
  if (!XvfbDisplay::Available()) GTEST_SKIP() << "Xvfb is not installed: end-to-end tests skipped";
  if (!ProgramExists("xprop")) GTEST_SKIP() << "xprop is not installed (x11-utils)";
  ProgramSession session(Environment{});
  const XTools& x = session.X();
  const std::string& window = session.MainWindow();

  EXPECT_EQ(x.WindowProperty(window, "WM_CLASS"),
            std::string("WM_CLASS(STRING) = \"tintoral\", \"") + kDesktopEntryName + "\"\n");
  EXPECT_NE(DesktopEntry().find(std::string("\nStartupWMClass=") + kDesktopEntryName + "\n"), std::string::npos);
  ExpectProgramIcon(x, window, "the main window");
  x.PressKey(window, "F1");
  const std::optional<std::string> about = x.WaitForWindow("^Acerca de");
  ASSERT_TRUE(about) << "F1 did not open the About box";
  ExpectProgramIcon(x, *about, "the About box");
  x.PressKey(*about, "Escape");
  ASSERT_TRUE(x.WaitForWindowGone("^Acerca de"));

  const auto asked = std::chrono::steady_clock::now();
  const std::optional<int> status = session.CloseMainWindow(std::chrono::seconds(10));
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - asked);
  ASSERT_EQ(status, 0);
  std::cout << "[ figure ] the program ended " << took.count() << " ms after its window was asked to close\n";
  EXPECT_LE(took, kExitLimit);
}

}  // namespace
}  // namespace tintoral::e2e
