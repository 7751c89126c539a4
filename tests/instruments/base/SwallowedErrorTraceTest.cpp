// The trace of swallowed errors: nothing unless asked for, then a line per
// error naming the control, the handler and the message, cut to the limit.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "InstrumentTestSupport.h"
#include "instruments/base/SwallowedErrorTrace.h"
#include "platform/window/Form.h"
#include "runtime/Exception.h"

namespace tintoral::test {
namespace {

class SwallowedErrorTraceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(0, 0, 200, 150);
    instrument = new TTestInstrument(&form);
    instrument->SetName("Gauge");
    instrument->SetParent(&form);
    instrument->raiseIn = [](const std::string& hook) { throw InvalidOperation("broken " + hook); };
  }
  void TearDown() override { unsetenv(kSwallowedErrorTraceVariable); }
  // What `count` key presses, each failing in HandleKeyDown, write to standard error.
  std::string TraceOfKeyDowns(int count) {
    ::testing::internal::CaptureStderr();
    for (int i = 0; i < count; ++i) instrument->DispatchKeyDown('A', {});
    return ::testing::internal::GetCapturedStderr();
  }

  TForm form{nullptr};
  TTestInstrument* instrument = nullptr;
};

TEST_F(SwallowedErrorTraceTest, OffUnlessTheVariableIsSetToSomethingButZero) {
  unsetenv(kSwallowedErrorTraceVariable);
  EXPECT_EQ(TraceOfKeyDowns(1), "");
  setenv(kSwallowedErrorTraceVariable, "0", 1);
  EXPECT_EQ(TraceOfKeyDowns(1), "");
}

TEST_F(SwallowedErrorTraceTest, EachErrorNamesControlHandlerAndMessageAndAFloodIsCounted) {
  setenv(kSwallowedErrorTraceVariable, "1", 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));  // a fresh second for the limit
  const std::string line = "tintoral: Gauge (TTestInstrument) KeyDown swallowed: broken HandleKeyDown 65 -\n";
  std::string expected;
  for (int i = 0; i < kSwallowedErrorLinesPerSecond; ++i) expected += line;
  EXPECT_EQ(TraceOfKeyDowns(kSwallowedErrorLinesPerSecond + 5), expected);
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  EXPECT_EQ(TraceOfKeyDowns(1), "tintoral: 5 more swallowed errors not shown\n" + line);

  instrument->paintError = "no ink";
  ::testing::internal::CaptureStderr();
  instrument->PaintBufferNow(false);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("Gauge (TTestInstrument) PaintTo swallowed: no ink\n"),
            std::string::npos);
}

}  // namespace
}  // namespace tintoral::test
