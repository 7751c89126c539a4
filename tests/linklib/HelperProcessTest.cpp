// The helper's output as the link reads it when the helper goes wrong: an
// endless line is skipped with bounded memory, and closed output ends the
// reading at once.
#include <gtest/gtest.h>

#include <string>

#include "linklib/opcua/HelperProcess.h"

namespace tintoral::opcua {
namespace {

struct Case {
  const char* name;
  const char* script;  // for sh -c
  std::vector<std::string> lines;
  std::size_t skipped;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class HelperProcessTest : public ::testing::TestWithParam<Case> {};

TEST_P(HelperProcessTest, ReadsTheLinesThatFitAndEndsWithTheOutput) {
  HelperProcess helper;
  std::string error;
  ASSERT_TRUE(helper.Start("sh", {"-c", GetParam().script}, error)) << error;
  std::vector<std::string> lines;
  for (std::string line; helper.ReadLine(line);) lines.push_back(line);
  EXPECT_EQ(lines, GetParam().lines);
  EXPECT_EQ(helper.SkippedLines(), GetParam().skipped);
  helper.Stop(1000);
  helper.Close();
}

INSTANTIATE_TEST_SUITE_P(
    Output, HelperProcessTest,
    ::testing::Values(Case{"EndlessLineSkipped",
                           "echo ready; head -c 5000000 /dev/zero | tr '\\0' x; echo; echo value",
                           {"ready", "value"},
                           1},
                      Case{"OutputClosedWhileRunning", "echo ready; exec 1>&-; sleep 30", {"ready"}, 0},
                      Case{"UnendedLastLineDropped", "echo ready; printf garbage", {"ready"}, 0}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tintoral::opcua
