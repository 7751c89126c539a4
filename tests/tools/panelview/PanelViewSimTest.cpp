// panelview --sim as a user runs it: the example panel on the simulation
// link library shows the simulation file's values in its real instruments,
// pixel for pixel as the same panel holding those values itself; a missing
// or broken simulation file is named, the broken one with its line. Without
// --sim, a panel loads the link library of each protocol its items use, and
// no other.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "instruments/opc/OPCLibrary.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Geometry.h"
#include "platform/graphics/PngDecoder.h"

namespace tintoral::test {
namespace {

constexpr int kInstrumentRows = 402;  // the example panel's instruments lie above

std::string FileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) throw std::runtime_error("no '" + from + "'");
  return text.replace(at, from.size(), to);
}

class PanelViewSimTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(folder); }
  void TearDown() override { std::filesystem::remove_all(folder); }

  // Runs panelview with these arguments (and environment settings) and a
  // picture after `seconds`; the exit status, and standard error in `errors`.
  int Run(const std::string& arguments, double seconds, std::string& errors,
          const std::string& environment = "") const {
    const std::string command = environment + " QT_QPA_PLATFORM=offscreen '" TINTORAL_PANELVIEW "' " + arguments +
                                " --shot '" + (folder / "shot.png").string() + "' " + std::to_string(seconds) + " 2>'" +
                                (folder / "errors.txt").string() + "'";
    const int status = std::system(command.c_str());
    errors = FileText(folder / "errors.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  void ReadShot(TBitmap& picture) const {
    const std::string png = FileText(folder / "shot.png");
    if (!png.empty()) DecodePng(reinterpret_cast<const std::uint8_t*>(png.data()), png.size(), picture);
  }
  std::string Save(const std::string& name, const std::string& text) const {
    std::ofstream(folder / name) << text;
    return (folder / name).string();
  }

  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tintoral-panelview-sim-" + std::to_string(getpid()));
  const std::string demo = FileText(TINTORAL_EXAMPLES_DIR "/opcua/DemoPanel.txt");
};

TEST_F(PanelViewSimTest, TheExamplePanelShowsTheSimulatedValues) {
  const std::string sim = Save("tank.sim",
                               "\"ns=1;s=Setpoint\" = constant 42\n"
                               "\"ns=1;s=Level\" = constant 57.5\n"
                               "\"ns=1;s=Message\" = constant \"SIMULATED\"\n");
  std::string errors;
  ASSERT_EQ(Run("--sim '" + sim + "' '" + Save("live.txt", demo) + "'", 2, errors), 0) << errors;
  TBitmap live;
  ReadShot(live);

  std::string held = Replace(demo, "PositionMax = 100.000000000000000000", "PositionMax = 100\n    Position = 42");
  held = Replace(held, "Precision = 1", "Precision = 1\n    Value = 57.5");
  held = Replace(held, "Text = 'WAITING'", "Text = 'SIMULATED'");
  for (std::size_t at; (at = held.find("AutoConnect = True")) != std::string::npos;)
    held.replace(at, 18, "AutoConnect = False");
  ASSERT_EQ(Run("'" + Save("held.txt", held) + "'", 0, errors), 0) << errors;
  TBitmap expected;
  ReadShot(expected);

  // The status areas under the forms differ (one names the simulated
  // server): the instruments above them must not.
  ASSERT_GT(live.Height(), kInstrumentRows);
  ASSERT_GT(expected.Height(), kInstrumentRows);
  ASSERT_EQ(live.Width(), expected.Width());
  // The trend chart shows the live history, which no held form has: its
  // pixels are left out (DemoPanel.txt, Trend: 369 x 170 at 16, 232).
  const TRect trend{16, 232, 16 + 369, 232 + 170};
  int differing = 0;
  for (int y = 0; y < kInstrumentRows; ++y)
    for (int x = 0; x < live.Width(); ++x)
      differing += !trend.Contains(x, y) && live.Pixel(x, y) != expected.Pixel(x, y);
  EXPECT_EQ(differing, 0) << "pixels of the form that differ";
}

TEST_F(PanelViewSimTest, SimulationFileErrorsAreNamed) {
  const std::string form = Save("panel.txt", demo);
  std::string errors;
  EXPECT_EQ(Run("--sim '" + (folder / "missing.sim").string() + "' '" + form + "'", 0, errors), 1);
  EXPECT_NE(errors.find("'" + (folder / "missing.sim").string() + "' does not exist"), std::string::npos) << errors;

  // Every mistake is named, the lines that read still apply, a line for no
  // item of the form is a warning, and the picture is taken but says 1.
  const std::string broken = Save("broken.sim",
                                  "# the level\n\"ns=1;s=Level\" = sine min 0 max 10\n"
                                  "\"ns=1;s=Message\" = constant \"FROM THE FILE\"\n"
                                  "Mixer = constant 3\n\"ns=1;s=Setpoint\" = ramp\n");
  EXPECT_EQ(Run("--sim '" + broken + "' '" + form + "'", 1, errors), 1);
  for (const std::string& line :
       {broken + ":2: sine needs min, max and period", broken + ":5: ramp needs min, max and period",
        broken + ":4: warning: 'Mixer' matches no item of the panel"})
    EXPECT_NE(errors.find(line), std::string::npos) << line << "\n" << errors;
  EXPECT_EQ(errors.find("FROM THE FILE"), std::string::npos);
  TBitmap shot;
  ReadShot(shot);
  EXPECT_GT(shot.Width(), 0) << "the picture of what shows is written all the same";
}

// docs/forms.md's tank panel and its simulation file, exactly as written:
// they read, fit together (no warning) and run.
TEST_F(PanelViewSimTest, TheFormReferencesExamplesRunAsWritten) {
  const std::string doc = FileText(TINTORAL_EXAMPLES_DIR "/../docs/forms.md");
  const auto block = [&](const std::string& heading) {
    const std::size_t section = doc.find(heading);
    const std::size_t start = doc.find("```\n", section) + 4;
    return doc.substr(start, doc.find("```\n", start) - start);
  };
  const std::string formText = block("## Data-link items: OPCItems");
  const std::string simText = block("## Panels without a server");
  ASSERT_EQ(formText.rfind("object TankPanel: TForm\n", 0), 0u) << formText;
  ASSERT_NE(simText.find("ns=1;s=Setpoint"), std::string::npos) << simText;
  const std::string form = Save("doc.txt", formText);
  const std::string sim = Save("doc.sim", simText);
  std::string errors;
  EXPECT_EQ(Run("--sim '" + sim + "' '" + form + "'", 1, errors), 0) << errors;
  // Nothing but what Qt's off-screen platform says of itself.
  for (std::size_t at; (at = errors.find("This plugin does not support raise()\n")) != std::string::npos;)
    errors.erase(at, 37);
  EXPECT_EQ(errors, "");
}

// The OPC UA link library beside panelview takes no link for a server it
// can reach in no form: each such item is named with the file and the line.
TEST_F(PanelViewSimTest, ServersTheOpcUaLibraryCannotReachAreNamedWithTheFileAndTheLine) {
  struct Case {
    const char* computer;
    const char* server;
    const char* refusal;  // the report after "(Value <- ...): the link library took no link for it: "
  };
  const Case cases[] = {
      {"Local", "http://plant:4840", "ServerName 'http://plant:4840' is in no form the library accepts"},
      {"Local", "opc.tcp://plant:65536", "ServerName 'opc.tcp://plant:65536' is in no form the library accepts"},
      {"press 7", "Plant", "ServerName 'Plant' with ComputerName 'press 7' is in no form the library accepts"},
  };
  std::string form =
      "object Panel: TForm\n  ClientWidth = 240\n  ClientHeight = 80\n  object Level: "
      "TiSevenSegmentAnalog\n    OPCItems = <";
  for (const Case& c : cases)
    form += std::string("\n      item\n        PropertyName = 'Value'\n        ComputerName = '") + c.computer +
            "'\n        ServerName = '" + c.server + "'\n        ItemName = 'Tank'\n      end";
  const std::string path = Save("servers.txt", form + ">\n  end\nend\n");
  std::string errors;
  Run("'" + path + "'", 0, errors);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const int line = 6 + 6 * static_cast<int>(i);  // each item's first line
    const std::string server = cases[i].server;
    EXPECT_NE(
        errors.find(path + ":" + std::to_string(line) + ": Level.OPCItems item " + std::to_string(i) + " (Value <- " +
                    server + "/Tank): the link library took no link for it: " + cases[i].refusal + "\n"),
        std::string::npos)
        << server << "\n"
        << errors;
  }
}

TEST(OPCLibraryChoice, AnotherFileIsRefusedOnceTheLibraryIsLoaded) {
  ASSERT_TRUE(OPCLibraryAvailable());
  const std::string loaded = OPCLibrary().FilePath();
  EXPECT_THROW(UseOPCLibraryFile(PathBesideProgram("libanother.so")), OPCLinkError);
  EXPECT_EQ(OPCLibrary().FilePath(), loaded);
}

// The dynamic loader names each library it loads (LD_DEBUG=files): a form
// on Modbus items loads the Modbus library, one on MQTT items the MQTT
// library, and neither loads the OPC UA library; a form without items loads
// no link library at all.
TEST_F(PanelViewSimTest, APanelLoadsTheLinkLibrariesOfItsItemsOnly) {
  struct Case {
    const char* serverName;  // "" for a form without items
    const char* loaded;
  };
  const Case cases[] = {{"modbus-tcp://127.0.0.1:1/1", "libtintoralmodbus.so"},
                        {"mqtt://127.0.0.1:1", "libtintoralmqtt.so"},
                        {"", nullptr}};
  const char* const libraries[] = {"libiOPC.so", "libtintoralmodbus.so", "libtintoralmqtt.so", "libtintoralsim.so"};
  for (const Case& c : cases) {
    const std::string items = *c.serverName ? std::string(
                                                  "    OPCItems = <\n      item\n        PropertyName = 'Value'\n"
                                                  "        ServerName = '") +
                                                  c.serverName + "'\n        ItemName = 'hr:1'\n      end>\n"
                                            : "";
    const std::string form = Save("loads.txt",
                                  "object Panel: TForm\n  ClientWidth = 200\n  ClientHeight = 80\n"
                                  "  object Readout: TiSevenSegmentAnalog\n" +
                                      items + "  end\nend\n");
    std::string errors;
    Run("'" + form + "'", 0.5, errors, "LD_DEBUG=files");
    for (const char* library : libraries) {
      const bool expected = c.loaded && std::string(c.loaded) == library;
      const bool loaded = errors.find(std::string(library) + " [0];  dynamically loaded") != std::string::npos;
      EXPECT_EQ(loaded, expected) << library << " for a form on '" << c.serverName << "'";
    }
  }
}

}  // namespace
}  // namespace tintoral::test
