// The simulation link library as panels use it: loaded by the data link's
// own loader (it lies beside this program as libiOPC.so), with real
// instruments read from a form. Items of one server and item name share a
// value; the simulation file's generators feed theirs.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <thread>

#include "instruments/InstrumentClasses.h"
#include "instruments/LCDMatrix.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/Slider.h"
#include "instruments/opc/OPCLibrary.h"
#include "platform/window/Form.h"
#include "platform/window/MainThreadQueue.h"
#include "platform/window/StandardControls.h"
#include "tests/support/TestTempPath.h"
#include "tools/formshot/FormLoading.h"

namespace tintoral::test {
namespace {

using namespace std::chrono_literals;

// One instrument in the form, its property bound to SERVER's ITEM.
std::string Instrument(const std::string& name, const std::string& className, const std::string& property,
                       const std::string& server, const std::string& item) {
  return "  object " + name + ": " + className + "\n    OPCItems = <\n      item\n" + "        PropertyName = '" +
         property + "'\n        ServerName = '" + server + "'\n        ItemName = '" + item + "'\n      end>\n  end\n";
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    QCoreApplication::processEvents();
    RunMainThreadTasks();
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(2ms);
  }
}

class SimLinkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string file = tintoral::test::TestTempPath("simlink-test.sim");
    std::ofstream(file) << "Wave = ramp min 0 max 100 period 1000 every 0.05\n"
                           "Plant : Greeting = constant \"HOLA\"\n";
    setenv("TINTORAL_SIM_FILE", file.c_str(), 1);  // read at the library's first link
    RegisterWindowClasses();
    RegisterStandardControls();
    RegisterInstruments();
  }
  void SetUp() override { ASSERT_TRUE(OPCLibraryAvailable()); }

  static TLoadedForm Panel(const std::string& instruments) {
    return LoadForm("object Panel: TForm\n  Width = 400\n  Height = 300\n" + instruments + "end\n");
  }
  template <class T>
  static T& Find(const TLoadedForm& form, const std::string& name) {
    T* found = form.Root().FindComponentAs<T>(name);
    if (!found) throw std::runtime_error("no " + name);
    return *found;
  }
};

TEST_F(SimLinkTest, ASliderDrivesEveryInstrumentOfItsItemAndAWriteFromAnyOfThemComesBack) {
  const TLoadedForm panel = Panel(Instrument("Setpoint", "TiSlider", "Position", "Plant", "Tank") +
                                  Instrument("Level", "TiSevenSegmentAnalog", "Value", "Plant", "Tank") +
                                  Instrument("Message", "TiLCDMatrix", "Text", "Plant", "Tank") +
                                  Instrument("Elsewhere", "TiSevenSegmentAnalog", "Value", "Other", "Tank"));
  auto& slider = Find<TiSlider>(panel, "Setpoint");
  auto& level = Find<TiSevenSegmentAnalog>(panel, "Level");
  auto& message = Find<TiLCDMatrix>(panel, "Message");
  auto& elsewhere = Find<TiSevenSegmentAnalog>(panel, "Elsewhere");

  slider.SetUserChanging(true);
  slider.SetPosition(42);
  slider.SetUserChanging(false);
  slider.DoPositionChangeFinished();
  EXPECT_TRUE(WaitUntil([&] { return level.Value() == 42 && message.Text() == "42"; })) << message.Text();

  ASSERT_TRUE(level.DataLinkWrite("Value", 17.5));
  EXPECT_TRUE(WaitUntil([&] { return slider.Position() == 17.5 && message.Text() == "17.5"; })) << message.Text();
  EXPECT_TRUE(WaitUntil([&] { return level.Value() == 17.5; })) << "the writer's own item gets the value too";
  EXPECT_TRUE(level.OPCItemManager().Items(0).HasData());
  EXPECT_EQ(elsewhere.Value(), 0) << "another server's item of the same name is another item";

  const TLoadedForm later = Panel(Instrument("Late", "TiSevenSegmentAnalog", "Value", "Plant", "Tank"));
  EXPECT_TRUE(WaitUntil([&] { return Find<TiSevenSegmentAnalog>(later, "Late").Value() == 17.5; }))
      << "a new link receives the current value";
}

TEST_F(SimLinkTest, GeneratorsOfTheSimulationFileFeedTheirItems) {
  const TLoadedForm panel = Panel(Instrument("Wave", "TiSevenSegmentAnalog", "Value", "AnyServer", "Wave") +
                                  Instrument("Greeting", "TiLCDMatrix", "Text", "Plant", "Greeting") +
                                  Instrument("Stranger", "TiLCDMatrix", "Text", "Other", "Greeting"));
  auto& wave = Find<TiSevenSegmentAnalog>(panel, "Wave");
  EXPECT_TRUE(WaitUntil([&] { return Find<TiLCDMatrix>(panel, "Greeting").Text() == "HOLA"; }));
  ASSERT_TRUE(WaitUntil([&] { return wave.Value() > 0; }));
  const double first = wave.Value();
  EXPECT_TRUE(WaitUntil([&] { return wave.Value() > first; })) << "the ramp rises";
  EXPECT_LT(wave.Value(), 100);
  EXPECT_EQ(Find<TiLCDMatrix>(panel, "Stranger").Text(), "") << "the constant is for the server the file names";
}

TEST_F(SimLinkTest, TheServersAreConnectedAndTheUnnamedOneIsTheSimulation) {
  const TLoadedForm panel = Panel(Instrument("Named", "TiSevenSegmentAnalog", "Value", "Plant", "Tank") +
                                  "  object Unnamed: TiSevenSegmentAnalog\n    OPCItems = <\n      item\n"
                                  "        PropertyName = 'Value'\n        GroupName = 'Panel'\n"
                                  "        ItemName = 'Tank'\n      end>\n  end\n");
  std::vector<std::string> names;
  for (const TiServerConnection& connection : OPCLibrary().ServerConnections()) {
    names.push_back(connection.name);
    EXPECT_EQ(connection.state, IOPC_CONNECTION_CONNECTED) << connection.name;
  }
  // Servers stay known for the whole run: earlier tests' servers may be there too.
  EXPECT_NE(std::find(names.begin(), names.end(), "Plant"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "simulation"), names.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), ""), names.end());
}

}  // namespace
}  // namespace tintoral::test
