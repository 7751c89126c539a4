// The example panel (examples/opcua) on its demo server: read as panelview
// reads it, its slider, readout and LCD show the server's values, and a
// change of the setpoint at the slider reaches the simulated tank.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "OpcUaTestServer.h"
#include "instruments/InstrumentClasses.h"
#include "instruments/LCDMatrix.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/Slider.h"
#include "platform/window/Form.h"
#include "platform/window/StandardControls.h"
#include "tools/formshot/FormLoading.h"

namespace tintoral::test {
namespace {

using namespace std::chrono_literals;

// The panel's text with its items pointed at `endpoint` instead of port 4840.
std::string PanelFor(const std::string& endpoint) {
  std::ifstream file(TINTORAL_EXAMPLES_DIR "/opcua/DemoPanel.txt");
  std::stringstream text;
  text << file.rdbuf();
  std::string panel = text.str();
  const std::string blank = "ServerName = ''";
  for (std::size_t at = panel.find(blank); at != std::string::npos; at = panel.find(blank, at))
    panel.replace(at, blank.size(), "ServerName = '" + endpoint + "'");
  return panel;
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
  RegisterWindowClasses();
  RegisterStandardControls();
  RegisterInstruments();
  OpcUaTestServer demo(TINTORAL_EXAMPLES_DIR "/opcua/demo-server.mjs", "demo server on");
  ASSERT_TRUE(demo.Start());
  const std::string panel = PanelFor(demo.Endpoint());
  ASSERT_EQ(panel.find("ServerName = ''"), std::string::npos);
  TLoadedForm form = LoadForm(panel);
  auto& setpoint = Find<TiSlider>(form.Root(), "Setpoint");
  auto& level = Find<TiSevenSegmentAnalog>(form.Root(), "Level");
  auto& message = Find<TiLCDMatrix>(form.Root(), "Message");

  EXPECT_TRUE(WaitUntil([&] { return setpoint.Position() == 40 && level.Value() > 1 && message.Text() != "WAITING"; },
                        60s))
      << setpoint.Position() << " " << level.Value() << " " << message.Text();
  setpoint.SetUserChanging(true);
  setpoint.SetPosition(90);
  setpoint.SetUserChanging(false);
  setpoint.DoPositionChangeFinished();
  EXPECT_TRUE(WaitUntil([&] { return level.Value() > 60; }, 30s)) << level.Value();
}

}  // namespace
}  // namespace tintoral::test
