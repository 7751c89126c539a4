// The live panel over the test link library: a changed form file shows its
// new form, also when an editor saves by renaming; a broken file shows its
// error with the file and the line, and a fixed one recovers; the link stays
// loaded and the new form's items are added as the old form's go.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "instruments/InstrumentClasses.h"
#include "instruments/SevenSegmentAnalog.h"
#include "platform/window/Label.h"
#include "platform/window/StandardControls.h"
#include "tests/instruments/base/DataLinkTestSupport.h"
#include "tools/panelview/LivePanel.h"

namespace tintoral::test {
namespace {

using namespace std::chrono_literals;

bool WaitUntil(const std::function<bool()>& condition) {
  const auto end = std::chrono::steady_clock::now() + 20s;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

// A form holding one readout named `name`, bound to the item of that name.
std::string PanelText(const std::string& name) {
  return "object Panel: TForm\n  Width = 200\n  Height = 120\n  object " + name +
         ": TiSevenSegmentAnalog\n    OPCItems = <\n      item\n        PropertyName = 'Value'\n"
         "        ItemName = '" +
         name + "'\n        GroupName = 'Panel'\n        AutoConnect = True\n      end>\n  end\nend\n";
}

class LivePanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterWindowClasses();
    RegisterStandardControls();
    RegisterInstruments();
    ASSERT_TRUE(OPCLibraryAvailable());
    TestLink().Reset();
    std::filesystem::create_directories(folder);
  }
  void TearDown() override {
    live.reset();
    TestLink().Reset();
    std::filesystem::remove_all(folder);
  }

  void Write(const std::string& text) const { std::ofstream(path, std::ios::trunc) << text; }
  // As editors save: a new file renamed over the old one.
  void WriteByRenaming(const std::string& text) const {
    std::ofstream(path + ".new") << text;
    std::filesystem::rename(path + ".new", path);
  }
  void Open() {
    live = std::make_unique<TLivePanel>(
        path,
        [this](TForm&, const std::string& error, const std::vector<std::string>&) { errorsShown.push_back(error); });
  }
  bool Shows(const std::string& name) const {
    return live->Panel() && live->Panel()->FindComponent(name) && &live->Window() == live->Panel();
  }

  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tintoral-live-" + std::to_string(getpid()));
  const std::string path = (folder / "panel.txt").string();
  std::unique_ptr<TLivePanel> live;
  std::vector<std::string> errorsShown;  // one per window prepared, "" for a form
};

TEST_F(LivePanelTest, FollowsTheFileThroughEditsRenamesAndErrors) {
  Write(PanelText("Tank"));
  Open();
  ASSERT_TRUE(Shows("Tank"));

  WriteByRenaming(PanelText("Pump"));
  ASSERT_TRUE(WaitUntil([&] { return Shows("Pump"); }));

  Write("object Panel: TForm\n  Width = 200\n  Height == 120\nend\n");
  ASSERT_TRUE(WaitUntil([&] { return !live->Error().empty(); }));
  EXPECT_EQ(live->Panel(), nullptr);
  EXPECT_EQ(live->Error().rfind(path + ":3: ", 0), 0u) << live->Error();
  const auto* shown = live->Window().FindComponentAs<TLabel>("ErrorText");
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->Caption(), live->Error());
  EXPECT_EQ(errorsShown.back(), live->Error());
  EXPECT_TRUE(live->Window().Visible());

  // Still followed after another rename, and the fixed file shows again.
  WriteByRenaming(PanelText("Valve"));
  ASSERT_TRUE(WaitUntil([&] { return Shows("Valve"); }));
  EXPECT_EQ(live->Error(), "");
  EXPECT_TRUE(live->Window().Visible());
  EXPECT_EQ(errorsShown.size(), 4u) << "one read for each change of the file";
  EXPECT_EQ(errorsShown.back(), "");

  std::filesystem::remove(path);
  ASSERT_TRUE(WaitUntil([&] { return !live->Error().empty(); }));
  EXPECT_NE(live->Error().find(path), std::string::npos) << live->Error();
}

TEST_F(LivePanelTest, TheLinkStaysAndTheNewFormsItemsReplaceTheOld) {
  Write(PanelText("Tank"));
  Open();
  ASSERT_TRUE(Shows("Tank"));
  const std::string library = OPCLibrary().FilePath();
  Write(PanelText("Mixer"));
  ASSERT_TRUE(WaitUntil([&] { return Shows("Mixer"); }));

  EXPECT_EQ(OPCLibrary().FilePath(), library);
  const auto& mixer = *live->Panel()->FindComponentAs<TiSevenSegmentAnalog>("Mixer");
  EXPECT_EQ(mixer.OPCItemManager().Items(0).Handle(), 2);
  const std::vector<std::string> calls = TestLink().Calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_NE(calls[1].find("|Mixer|"), std::string::npos) << calls[1];
  EXPECT_EQ(calls[2], "SignalRemove 1");
}

// A wall screen must not jump: the form read again, and the error window
// too, show in the same native window, in its place and size.
TEST_F(LivePanelTest, TheWindowThatReplacesAnotherKeepsItsPlaceAndSize) {
  Write(PanelText("Tank"));
  Open();
  live->Window().SetBounds(130, 70, 520, 410);
  const void* native = live->Window().Widget();
  ASSERT_NE(native, nullptr);
  const auto place = [&] {
    const TForm& w = live->Window();
    return std::vector<int>{w.Left(), w.Top(), w.Width(), w.Height()};
  };
  const std::vector<int> expected{130, 70, 520, 410};
  Write(PanelText("Pump"));
  live->Reload();
  ASSERT_TRUE(Shows("Pump"));
  EXPECT_EQ(place(), expected);
  EXPECT_EQ(live->Window().Widget(), native);
  Write("object Panel: TForm\n  Width = 200\n  Height == 120\nend\n");
  live->Reload();
  ASSERT_FALSE(live->Error().empty());
  EXPECT_EQ(place(), expected);
  EXPECT_EQ(live->Window().Widget(), native);
  EXPECT_TRUE(live->Window().Visible());
  Write(PanelText("Valve"));
  live->Reload();
  ASSERT_TRUE(Shows("Valve"));
  EXPECT_EQ(live->Window().Widget(), native);
  EXPECT_NE(live->Panel()->FindComponentAs<TiSevenSegmentAnalog>("Valve")->Widget(), nullptr)
      << "the new content has its windows in it";
}

}  // namespace
}  // namespace tintoral::test
