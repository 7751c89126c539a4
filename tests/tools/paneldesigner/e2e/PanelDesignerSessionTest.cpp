// The designer as a panel developer uses it, under Xvfb: a slider and a
// readout placed from the palette with the keyboard, the slider dragged
// with the mouse, the readout bound to a simulation item, the form saved;
// the canvas then shows exactly what formshot renders of the saved file,
// and panelview --sim runs the file with the item's value in the readout.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PngDecoder.h"
#include "tests/e2e/support/Process.h"
#include "tests/e2e/support/ProgramSession.h"
#include "tests/e2e/support/TemporaryFolder.h"
#include "tests/e2e/support/XTools.h"
#include "tests/e2e/support/XvfbDisplay.h"

namespace tintoral::e2e {
namespace {

using namespace std::chrono_literals;

constexpr const char* kStartForm =
    "object Tank: TForm\n"
    "  Left = 0\n"
    "  Top = 0\n"
    "  Caption = 'Tank'\n"
    "  ClientHeight = 200\n"
    "  ClientWidth = 320\n"
    "  Color = clBtnFace\n"
    "end\n";

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ReadPng(const std::string& path, TBitmap& picture) {
  const std::string png = FileText(path);
  ASSERT_FALSE(png.empty()) << path;
  DecodePng(reinterpret_cast<const std::uint8_t*>(png.data()), png.size(), picture);
}

bool SamePixels(const TBitmap& shot, int left, int top, const TBitmap& picture) {
  if (left < 0 || top < 0 || left + picture.Width() > shot.Width() || top + picture.Height() > shot.Height())
    return false;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      if (shot.Pixel(left + x, top + y) != picture.Pixel(x, y)) return false;
  return true;
}

// Where the picture shows inside the screenshot, if it does.
std::optional<std::pair<int, int>> Find(const TBitmap& shot, const TBitmap& picture) {
  for (int top = 0; top + picture.Height() <= shot.Height(); ++top)
    for (int left = 0; left + picture.Width() <= shot.Width(); ++left)
      if (SamePixels(shot, left, top, picture)) return std::make_pair(left, top);
  return std::nullopt;
}

class PanelDesignerSession : public testing::Test {
 protected:
  void SetUp() override {
    if (!XvfbDisplay::Available() || !ProgramExists("xdotool")) GTEST_SKIP() << "Xvfb or xdotool missing";
    display_ = std::make_unique<XvfbDisplay>();
    x_ = std::make_unique<XTools>(display_->ClientEnvironment(), SCREENGRAB_PROGRAM);
    form_ = folder_.Path() + "/Tank.txt";
    sim_ = folder_.Path() + "/Tank.sim";
    std::ofstream(form_) << kStartForm;
    std::ofstream(sim_) << "\"Level\" = constant 42.5\n";
  }

  void Shot(const std::string& form, const std::string& png, const std::vector<std::string>& sets = {}) const {
    std::vector<std::string> argv{FORMSHOT_PROGRAM, form, png};
    for (const std::string& set : sets) argv.insert(argv.end(), {"--set", set});
    ASSERT_EQ(RunCommand(argv, {"QT_QPA_PLATFORM=offscreen"}).status, 0);
  }
  void Type(const std::string& window, const std::string& text) const {
    ASSERT_EQ(RunCommand({"xdotool", "windowfocus", "--sync", window, "type", "--delay", "30", text},
                         display_->ClientEnvironment())
                  .status,
              0);
  }
  // Screenshots until the canvas at (left, top) shows the picture.
  bool WaitForCanvas(const std::string& window, int left, int top, const TBitmap& picture) const {
    TBitmap shot;
    for (int attempt = 0; attempt < 40; ++attempt) {
      x_->Screenshot(window, shot);
      if (SamePixels(shot, left, top, picture)) return true;
      std::this_thread::sleep_for(250ms);
    }
    return false;
  }

  TemporaryFolder folder_;
  std::unique_ptr<XvfbDisplay> display_;
  std::unique_ptr<XTools> x_;
  std::string form_, sim_;
};

TEST_F(PanelDesignerSession, PlaceDragBindSaveAndRun) {
  Environment environment = display_->ClientEnvironment();
  environment.insert(environment.end(), kLeakOptions.begin(), kLeakOptions.end());
  ChildProcess designer({PANELDESIGNER_PROGRAM, "--sim", sim_, form_}, environment);
  const auto window = x_->WaitForWindow("Tank.txt — Panel designer");
  ASSERT_TRUE(window);

  // The canvas shows the form as formshot renders it: that is where it lies.
  TBitmap start, shot;
  Shot(form_, folder_.Path() + "/start.png");
  ReadPng(folder_.Path() + "/start.png", start);
  ASSERT_TRUE(x_->WaitForPaintedWindow(*window, shot));
  std::optional<std::pair<int, int>> canvas;
  for (int attempt = 0; attempt < 20 && !canvas; ++attempt) {
    x_->Screenshot(*window, shot);
    canvas = Find(shot, start);
    if (!canvas) std::this_thread::sleep_for(250ms);
  }
  ASSERT_TRUE(canvas) << "the form does not show as formshot renders it";
  const auto [cx, cy] = *canvas;

  // A slider from the palette (placed at the grid's first point, 64 x 32),
  // dragged 100 pixels right: it snaps to the 8-pixel grid at 112.
  x_->PressKey(*window, "ctrl+l");
  Type(*window, "TiSlider");
  x_->PressKey(*window, "Return");
  std::this_thread::sleep_for(300ms);
  x_->Drag(*window, cx + 40, cy + 24, cx + 140, cy + 24);
  // A readout from the palette, bound to the simulation's Level.
  x_->PressKey(*window, "ctrl+l");
  Type(*window, "TiSevenSegmentAnalog");
  x_->PressKey(*window, "Return");
  std::this_thread::sleep_for(300ms);
  x_->PressKey(*window, "ctrl+d");
  const auto dialog = x_->WaitForWindow("Data-link items");
  ASSERT_TRUE(dialog);
  x_->PressKey(*dialog, "alt+a");  // a new item binding Value
  std::this_thread::sleep_for(300ms);
  x_->PressKey(*dialog, "alt+s");
  Type(*dialog, "Sim");
  std::this_thread::sleep_for(300ms);
  x_->PressKey(*dialog, "alt+i");
  Type(*dialog, "Level");
  x_->PressKey(*dialog, "Return");
  ASSERT_TRUE(x_->WaitForWindowGone("Data-link items"));
  x_->PressKey(*window, "ctrl+s");
  x_->PressKey(*window, "Escape");  // nothing selected: no handles over the form
  ASSERT_TRUE(x_->WaitForWindow("^Tank.txt — Panel designer$"));

  const std::string saved = FileText(form_);
  EXPECT_NE(saved.find("object iSlider1: TiSlider\n    Left = 112\n    Top = 8\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("object iSevenSegmentAnalog1: TiSevenSegmentAnalog"), std::string::npos) << saved;
  EXPECT_NE(saved.find("PropertyName = 'Value'"), std::string::npos) << saved;
  EXPECT_NE(saved.find("ServerName = 'Sim'"), std::string::npos) << saved;
  EXPECT_NE(saved.find("ItemName = 'Level'"), std::string::npos) << saved;

  TBitmap rendered;
  Shot(form_, folder_.Path() + "/saved.png");
  ReadPng(folder_.Path() + "/saved.png", rendered);
  EXPECT_TRUE(WaitForCanvas(*window, cx, cy, rendered)) << "the canvas differs from formshot's picture";

  // panelview runs the saved form with the item's value in the readout.
  const std::string live = folder_.Path() + "/live.png";
  ASSERT_EQ(RunCommand({PANELVIEW_PROGRAM, "--sim", sim_, form_, "--shot", live, "1.5"}, {"QT_QPA_PLATFORM=offscreen"})
                .status,
            0);
  TBitmap running, expected;
  ReadPng(live, running);
  Shot(form_, folder_.Path() + "/expected.png", {"iSevenSegmentAnalog1.Value=42.5"});
  ReadPng(folder_.Path() + "/expected.png", expected);
  // The readout's pixels (the slider shows panelview's keyboard focus).
  bool same = running.Width() >= expected.Width() && running.Height() >= expected.Height();
  for (int y = 8; same && y < 8 + 28; ++y)
    for (int x = 8; same && x < 8 + 84; ++x) same = running.Pixel(x, y) == expected.Pixel(x, y);
  EXPECT_TRUE(same) << "panelview does not show the simulated value";

  x_->PressKey(*window, "ctrl+q");  // saved: closes without asking
  EXPECT_EQ(designer.WaitForExit(10s), 0);
}

}  // namespace
}  // namespace tintoral::e2e
