// The example panel (examples/opcua) on its demo server: read as panelview
// reads it, its slider, readout and LCD show the server's values, and a
// change of the setpoint at the slider reaches the simulated tank; and
// run-demo.sh with panelview's --shot pictures the live panel.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "OpcUaTestServer.h"
#include "instruments/InstrumentClasses.h"
#include "instruments/LCDMatrix.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/Slider.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PngDecoder.h"
#include "platform/window/Form.h"
#include "platform/window/StandardControls.h"
#include "tools/formshot/FormLoading.h"

namespace tintoral::test {
namespace {

using namespace std::chrono_literals;

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// The panel's text with its items pointed at `endpoint` instead of port 4840.
std::string PanelFor(const std::string& endpoint) {
  return ReplaceAll(FileText(TINTORAL_EXAMPLES_DIR "/opcua/DemoPanel.txt"), "ServerName = ''",
                    "ServerName = '" + endpoint + "'");
}

void RegisterPanelClasses() {
  RegisterWindowClasses();
  RegisterStandardControls();
  RegisterInstruments();
}

bool PicturesDifferIn(const TBitmap& a, const TBitmap& b, const TControl& control) {
  for (int y = control.Top(); y < control.Top() + control.Height(); ++y)
    for (int x = control.Left(); x < control.Left() + control.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return true;
  return false;
}

template <class T>
T& Find(TComponent& root, const std::string& name) {
  T* found = root.FindComponentAs<T>(name);
  if (!found) throw std::runtime_error("no " + name);
  return *found;
}

TEST(ExamplePanelTest, ShowsTheDemoTankAndSendsTheSetpoint) {
  const std::string reason = OpcUaSkipReason();
  if (!reason.empty()) GTEST_SKIP() << reason;
  RegisterPanelClasses();
  OpcUaTestServer demo(TINTORAL_EXAMPLES_DIR "/opcua/demo-server.mjs", "demo server on");
  ASSERT_TRUE(demo.Start());
  EXPECT_EQ(ListeningAddresses(demo.Port()), std::vector<std::string>{"0100007F"}) << "on 127.0.0.1 only";
  const std::string panel = PanelFor(demo.Endpoint());
  ASSERT_EQ(panel.find("ServerName = ''"), std::string::npos);
  TLoadedForm form = LoadForm(panel);
  auto& setpoint = Find<TiSlider>(form.Root(), "Setpoint");
  auto& level = Find<TiSevenSegmentAnalog>(form.Root(), "Level");
  auto& message = Find<TiLCDMatrix>(form.Root(), "Message");

  EXPECT_TRUE(
      WaitUntil([&] { return setpoint.Position() == 40 && level.Value() > 1 && message.Text() != "WAITING"; }, 60s))
      << setpoint.Position() << " " << level.Value() << " " << message.Text();
  setpoint.SetUserChanging(true);
  setpoint.SetPosition(90);
  setpoint.SetUserChanging(false);
  setpoint.DoPositionChangeFinished();
  EXPECT_TRUE(WaitUntil([&] { return level.Value() > 60; }, 30s)) << level.Value();
}

// Runs a shell command that makes panelview save a picture at `path`, and
// reads the picture (left empty when there is none).
void TakeShot(const std::string& command, const std::filesystem::path& path, TBitmap& picture) {
  std::filesystem::remove(path);
  EXPECT_EQ(std::system(("QT_QPA_PLATFORM=offscreen " + command).c_str()), 0) << command;
  const std::string png = FileText(path.string());
  std::filesystem::remove(path);
  if (!png.empty()) DecodePng(reinterpret_cast<const std::uint8_t*>(png.data()), png.size(), picture);
}

// The demo as a user starts it, with panelview saving the window after a
// while: the picture has the panel's client width (and its height above
// panelview's status area), and the slider, readout and LCD differ from
// panelview's picture of the panel left unconnected.
TEST(ExamplePanelTest, RunDemoPicturesThePanelWithTheServersValues) {
  const std::string reason = OpcUaSkipReason();
  if (!reason.empty()) GTEST_SKIP() << reason;
  RegisterPanelClasses();
  const std::string unconnectedText =
      ReplaceAll(FileText(TINTORAL_EXAMPLES_DIR "/opcua/DemoPanel.txt"), "AutoConnect = True", "AutoConnect = False");
  const TLoadedForm loaded = LoadForm(unconnectedText);
  const auto& panel = dynamic_cast<const TForm&>(loaded.Root());
  const auto scratch = std::filesystem::temp_directory_path() / ("tintoral-demo-" + std::to_string(getpid()));
  std::filesystem::create_directories(scratch);
  std::ofstream(scratch / "unconnected.txt") << unconnectedText;

  TBitmap unconnected;
  TakeShot("'" TINTORAL_PANELVIEW "' '" + (scratch / "unconnected.txt").string() + "' --shot '" +
               (scratch / "unconnected.png").string() + "' 0",
           scratch / "unconnected.png", unconnected);
  TBitmap live;  // after long enough for the helper to start on a busy machine
  TakeShot("TINTORAL_PANELVIEW='" TINTORAL_PANELVIEW "' '" TINTORAL_EXAMPLES_DIR "/opcua/run-demo.sh' " +
               std::to_string(FreePort()) + " --shot '" + (scratch / "live.png").string() + "' 15",
           scratch / "live.png", live);
  std::filesystem::remove_all(scratch);

  EXPECT_EQ(live.Width(), panel.ClientWidth());
  EXPECT_GT(live.Height(), panel.ClientHeight());
  // The status areas differ in their number of lines; the form above them
  // is compared.
  ASSERT_EQ(unconnected.Width(), live.Width());
  ASSERT_GT(unconnected.Height(), panel.ClientHeight());
  for (const char* name : {"Setpoint", "Level", "Message"})
    EXPECT_TRUE(PicturesDifferIn(live, unconnected, *panel.FindComponentAs<TControl>(name)))
        << name << " shows its designed value";
}

}  // namespace
}  // namespace tintoral::test
