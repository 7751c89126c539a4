// The simulation file: what a well-formed file declares, and the message
// (file and line) for each kind of mistake.
#include <gtest/gtest.h>

#include "linklib/sim/SimFile.h"

namespace tintoral::sim {
namespace {

TEST(SimFileTest, ReadsServersQuotedNamesGeneratorsAndTheirParameters) {
  const SimFileContents contents = ParseSimFile(
      "# a panel's items\n"
      "\n"
      "Tank = sine min 0 max 100 period 8   # the level\n"
      "\"opc.tcp://127.0.0.1:4840\" : \"ns=1;s=Say \"\"hi\"\"\" = constant \"READY\"\n"
      "Mixer = walk min -5 max 5 period 0.5 step 1 every 0.25\n"
      "Flow=ramp min 1 max 2 period 3\n",
      "panel.sim");
  EXPECT_TRUE(contents.errors.empty());
  const std::vector<SimItemSettings>& items = contents.items;
  ASSERT_EQ(items.size(), 4u);
  EXPECT_TRUE(items[0].anyServer);
  EXPECT_EQ(items[0].item, "Tank");
  EXPECT_EQ(items[0].line, 3);
  EXPECT_EQ(items[0].generator.kind, GeneratorKind::Sine);
  EXPECT_EQ(items[0].generator.max, 100);
  EXPECT_EQ(items[0].generator.every, 0.1) << "the default";
  EXPECT_FALSE(items[1].anyServer);
  EXPECT_EQ(items[1].server, "opc.tcp://127.0.0.1:4840");
  EXPECT_EQ(items[1].item, "ns=1;s=Say \"hi\"");
  EXPECT_TRUE(items[1].generator.isText);
  EXPECT_EQ(items[1].generator.text, "READY");
  EXPECT_EQ(items[2].generator.kind, GeneratorKind::Walk);
  EXPECT_EQ(items[2].generator.min, -5);
  EXPECT_EQ(items[2].generator.step, 1);
  EXPECT_EQ(items[2].generator.every, 0.25);
  EXPECT_EQ(items[3].generator.kind, GeneratorKind::Ramp);
  EXPECT_EQ(items[3].generator.period, 3);
}

TEST(SimFileTest, MistakesNameTheFileAndTheLine) {
  struct Case {
    const char* line;
    const char* message;
  };
  const Case cases[] = {
      {"Tank sine min 0 max 1 period 1", "'=' is expected after the item name"},
      {"= constant 1", "an item name is expected"},
      {"Tank =", "a generator is expected after '=' (constant, ramp, sine or walk)"},
      {"Tank = square min 0 max 1 period 1", "unknown generator 'square' (constant, ramp, sine or walk)"},
      {"Tank = constant", "constant takes one value: a number or a text in quotes"},
      {"Tank = constant 1 2", "constant takes one value: a number or a text in quotes"},
      {"Tank = constant 1x", "'1x' is not a number"},
      {"Tank = sine min 0 max 1", "sine needs min, max and period"},
      {"Tank = sine min 0 max 1 period 1 step 2", "unknown parameter 'step' of sine"},
      {"Tank = ramp min 0 min 1 max 2 period 1", "parameter 'min' is given twice"},
      {"Tank = ramp min 0 max 2 period", "parameter 'period' has no value"},
      {"Tank = ramp min 3 max 2 period 1", "min is greater than max"},
      {"Tank = ramp min 0 max 2 period 0", "period and every are at least 0.01 seconds"},
      {"Tank = ramp min 0 max 2 period 1 every 0.001", "period and every are at least 0.01 seconds"},
      {"Tank = walk min 0 max 2 period 1 step -1", "step is negative"},
      {"Tank = ramp min 0 max 2 period nan", "period and every are at least 0.01 seconds"},
      {"\"Tank = constant 1", "a text in quotes has no closing quote"},
      {"Tank = constant : 1", "':' is out of place"},
  };
  for (const Case& c : cases) {
    const SimFileContents contents = ParseSimFile(std::string("# first line\n") + c.line + "\n", "demo.sim");
    EXPECT_TRUE(contents.items.empty()) << c.line;
    EXPECT_EQ(contents.errors, std::vector<std::string>{std::string("demo.sim:2: ") + c.message}) << c.line;
  }
}

TEST(SimFileTest, EveryMistakeIsReportedAndTheLinesThatReadStillApply) {
  const SimFileContents contents =
      ParseSimFile("Tank = sine min 0 max 1\nLevel = constant 5\nFlow = ramp\nMixer = constant 2\n", "f.sim");
  EXPECT_EQ(contents.errors, (std::vector<std::string>{"f.sim:1: sine needs min, max and period",
                                                       "f.sim:3: ramp needs min, max and period"}));
  ASSERT_EQ(contents.items.size(), 2u);
  EXPECT_EQ(contents.items[0].item, "Level");
  EXPECT_EQ(contents.items[1].line, 4);
}

TEST(SimFileTest, AnItemDeclaredTwiceOnTheSameServerIsAMistakeOnOtherServersItIsNot) {
  EXPECT_TRUE(ParseSimFile("Tank = constant 1\nA : Tank = constant 2\nB : Tank = constant 3\n", "f").errors.empty());
  const SimFileContents twice = ParseSimFile("Tank = constant 1\nA : Tank = constant 2\n\nTank = constant 3\n", "f");
  EXPECT_EQ(twice.errors, std::vector<std::string>{"f:4: item 'Tank' is already declared on line 1"});
  EXPECT_EQ(twice.items.size(), 2u);
}

TEST(SimFileTest, TheExamplePanelsFileReadsAndAFileThatCannotBeReadSaysSo) {
  const SimFileContents example = ReadSimFile(TINTORAL_EXAMPLES_DIR "/opcua/DemoPanel.sim");
  EXPECT_EQ(example.items.size(), 2u);
  EXPECT_TRUE(example.errors.empty());
  EXPECT_EQ(ReadSimFile("/nonexistent/panel.sim").errors,
            std::vector<std::string>{"/nonexistent/panel.sim: cannot be read"});
}

}  // namespace
}  // namespace tintoral::sim
