// Choosing an item through the simulation link library as the designer
// does: the servers and items its file names, one reading of a value, and
// what a library that cannot browse or link says.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "instruments/opc/OPCLibrary.h"
#include "tools/paneldesigner/ItemBrowsing.h"

namespace tintoral {
namespace {

using namespace std::chrono_literals;

std::optional<std::string> WaitForValue(const TItemReading& reading) {
  for (int i = 0; i < 200 && !reading.Value(); ++i) std::this_thread::sleep_for(10ms);
  return reading.Value();
}

TEST(ItemBrowsing, TheSimulationLibraryListsWhatItsFileNamesAndReadsAValueOnce) {
  const std::string sim = testing::TempDir() + "ItemBrowsing-" + std::to_string(getpid()) + ".sim";
  std::ofstream(sim) << "Level = constant 42.5\nPlant : Pump = constant \"ON\"\n";
  setenv("TINTORAL_SIM_FILE", sim.c_str(), 1);  // read as the library's server starts
  const TiOPCLibrary library(TINTORAL_SIM_LINK);
  ASSERT_TRUE(library.Available()) << library.LoadError();

  EXPECT_EQ(BrowseServers(library, "Local"), std::vector<std::string>{"Plant"});
  const struct {
    const char* server;
    std::vector<TBrowseEntry> entries;
  } cases[] = {
      {"Plant", {{false, "Level", "Level"}, {false, "Pump", "Pump"}}},
      {"Other", {{false, "Level", "Level"}}},  // a line without a server is on every server
  };
  for (const auto& c : cases) {
    const TBrowseResult result = BrowseBranch(library, "Local", c.server, "", 1000);
    EXPECT_EQ(result.entries, c.entries) << c.server;
    EXPECT_EQ(result.error, "") << c.server;
  }

  TItemBinding pump;
  pump.serverName = "Plant";
  pump.itemName = "Pump";
  const TItemReading reading(library, pump);
  EXPECT_EQ(WaitForValue(reading), std::optional<std::string>("ON (quality good)"));
  std::remove(sim.c_str());
}

TEST(ItemBrowsing, WithoutALibraryBrowsingAndReadingSayWhy) {
  const TiOPCLibrary none("");
  EXPECT_TRUE(BrowseServers(none, "").empty());
  EXPECT_EQ(BrowseBranch(none, "", "S", "", 10).error, "the link library  cannot browse its servers");
  const TItemReading reading(none, TItemBinding{});
  EXPECT_FALSE(reading.Value());
  EXPECT_EQ(reading.Trouble().rfind("no link library", 0), 0u) << reading.Trouble();
}

TEST(ItemBrowsing, TheBrowsingTextReadsBranchesItemsAndAReason) {
  const TBrowseResult result =
      ParseBrowseText("B\tObjects\ti=85\nI\tLevel\tns=1;s=Level\nX\tjunk\n\nI\tno id\nE\tBadTimeout: no answer\n");
  EXPECT_EQ(result.entries, (std::vector<TBrowseEntry>{{true, "Objects", "i=85"}, {false, "Level", "ns=1;s=Level"}}));
  EXPECT_EQ(result.error, "BadTimeout: no answer");
}

}  // namespace
}  // namespace tintoral
