// The data link's error log: the first problem of each item at once, then
// at most one line per quiet interval with the count of the rest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instruments/opc/ErrorLog.h"

namespace tintoral {
namespace {

TEST(OPCErrorLog, EachItemsFirstProblemIsWrittenAtOnceAndTheRestCountedPerQuietInterval) {
  std::vector<std::string> lines;
  double now = 100;
  TiOPCErrorLog log([&](const std::string& line) { lines.push_back(line); }, [&] { return now; });
  struct Step {
    double at;
    const char* source;
    const char* message;  // nullptr: Flush
    std::vector<std::string> written;
  };
  const Step steps[] = {
      {100.0, "A", "'abc' is not a number", {"A: 'abc' is not a number"}},
      {100.1, "B", "write refused", {"B: write refused"}},
      {100.2, "A", "'abd' is not a number", {}},
      {105.0, "A", "'abe' is not a number", {}},
      {106.0, nullptr, nullptr, {}},
      {110.0, nullptr, nullptr, {"A: 'abe' is not a number (and 1 more since the last report of this item)"}},
      {111.0, "A", "'abf' is not a number", {}},
      {121.0,
       "A",
       "'abg' is not a number",
       {"A: 'abg' is not a number (and 1 more since the last report of this item)"}},
      {140.0, nullptr, nullptr, {}},
  };
  for (const Step& step : steps) {
    lines.clear();
    now = step.at;
    if (step.message) log.Report(step.source, step.message);
    else log.Flush();
    EXPECT_EQ(lines, step.written) << "at " << step.at;
  }
  EXPECT_EQ(log.Total(), 6u);
}

}  // namespace
}  // namespace tintoral
