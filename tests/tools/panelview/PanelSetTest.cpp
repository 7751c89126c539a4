// panelview's windows: several forms, one shown at a time in the place of
// the other, every one with its items connected; the keys that move between
// them and to full screen; a status area that wraps its lines to the window
// and follows its size.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "instruments/InstrumentClasses.h"
#include "instruments/SevenSegmentAnalog.h"
#include "platform/window/Label.h"
#include "platform/window/StandardControls.h"
#include "tests/instruments/base/DataLinkTestSupport.h"
#include "tools/panelview/PanelSet.h"

namespace tintoral::test {
namespace {

std::string PanelText(const std::string& name) {
  return "object Panel: TForm\n  ClientWidth = 240\n  ClientHeight = 100\n  object " + name +
         ": TiSevenSegmentAnalog\n    OPCItems = <\n      item\n        PropertyName = 'Value'\n"
         "        ItemName = '" +
         name + "'\n        GroupName = 'Panel'\n      end>\n  end\nend\n";
}

class PanelSetTest : public ::testing::Test {
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
    TestLink().Reset();
    std::filesystem::remove_all(folder);
  }
  std::string Save(const std::string& name, const std::string& text) const {
    std::ofstream(folder / name) << text;
    return (folder / name).string();
  }

  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tintoral-panelset-" + std::to_string(getpid()));
};

TEST_F(PanelSetTest, KeysMoveBetweenFormsAndToFullScreen) {
  struct Case {
    std::uint16_t key;
    TShiftState shift;
    TPanelKey expected;
  };
  const Case cases[] = {
      {VK_NEXT, {ssCtrl}, TPanelKey::NextForm},
      {VK_PRIOR, {ssCtrl}, TPanelKey::PreviousForm},
      {VK_NEXT, {}, TPanelKey::None},
      {VK_NEXT, {ssCtrl, ssShift}, TPanelKey::None},
      {VK_F11, {}, TPanelKey::ToggleFullScreen},
      {VK_ESCAPE, {}, TPanelKey::LeaveFullScreen},
      {VK_ESCAPE, {ssCtrl}, TPanelKey::None},
  };
  for (const Case& c : cases) EXPECT_EQ(PanelKeyOf(c.key, c.shift), c.expected) << c.key;
}

TEST_F(PanelSetTest, OneFormShowsAtATimeInThePlaceOfTheOtherAndEveryOneKeepsItsItems) {
  TPanelSet panels({Save("a.txt", PanelText("Tank")), Save("b.txt", PanelText("Pump"))}, {});
  ASSERT_EQ(panels.Count(), 2);
  TForm& first = panels.Panel(0).Window();
  TForm& second = panels.Panel(1).Window();
  EXPECT_TRUE(first.Visible());
  EXPECT_FALSE(second.Visible());
  first.SetBounds(120, 90, 500, 400);
  const void* native = first.Widget();

  EXPECT_TRUE(panels.HandleKey(VK_NEXT, {ssCtrl}));
  EXPECT_EQ(panels.Current(), 1);
  EXPECT_TRUE(second.Visible());
  EXPECT_FALSE(first.Visible());
  EXPECT_EQ(second.Widget(), native) << "one window for every form";
  EXPECT_EQ(std::vector<int>({second.Left(), second.Top(), second.Width(), second.Height()}),
            std::vector<int>({120, 90, 500, 400}));
  EXPECT_TRUE(panels.HandleKey(VK_NEXT, {ssCtrl}));
  EXPECT_EQ(panels.Current(), 0) << "wraps around";
  EXPECT_FALSE(panels.HandleKey('A', {}));

  for (int i = 0; i < 2; ++i) {
    const auto* readout = panels.Panel(i).Panel()->FindComponentAs<TiSevenSegmentAnalog>(i == 0 ? "Tank" : "Pump");
    ASSERT_NE(readout, nullptr);
    EXPECT_NE(readout->OPCItemManager().Items(0).Handle(), 0) << i;
    ASSERT_NE(panels.Status(i), nullptr);
  }
}

TEST_F(PanelSetTest, TheStatusAreaWrapsItsLinesAndFollowsTheWindowsSize) {
  TPanelSet panels({Save("a.txt", PanelText("Tank"))}, {});
  TForm& form = panels.Panel(0).Window();
  TStatusArea& status = *panels.Status(0);
  const std::string longLine(120, 'x');
  status.SetLines({"Plant: lost since 10:00:00, reconnecting (connection reset by the server at the other end)",
                   "Tank.Value <- Panel/Tank: not active", longLine});
  const TLabel& label = status.Label();
  EXPECT_EQ(status.Text().find('\n') != std::string::npos, true);
  const auto bottomInside = [&] { return label.Top() + label.Height() <= form.ClientHeight(); };
  EXPECT_TRUE(bottomInside());
  EXPECT_GE(label.Top(), status.ContentHeight()) << "below the form's own content";
  const int wideHeight = label.Height();

  form.SetClientWidth(160);
  EXPECT_EQ(label.Width(), 160 - 8);
  EXPECT_GT(label.Height(), wideHeight) << "more lines once wrapped narrower";
  EXPECT_TRUE(bottomInside());

  form.SetClientHeight(140);  // made smaller by the user: the area stays at the bottom, the window so
  EXPECT_TRUE(bottomInside());
  EXPECT_EQ(form.ClientHeight(), 140);
}

}  // namespace
}  // namespace tintoral::test
