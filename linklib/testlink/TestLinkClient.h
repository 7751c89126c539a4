#pragma once
// Drives the test link library (TestLinkControl.h) from C++ tests and
// benchmarks: it opens the same library file the loader loaded, so both see
// one simulated server.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "instruments/opc/LinkVariant.h"
#include "linklib/testlink/TestLinkControl.h"
#include "system/DynamicLibrary.h"

namespace tintoral::test {

class TestLinkClient {
 public:
  explicit TestLinkClient(const std::string& filePath) : library_(filePath) {
    if (!library_.Loaded()) throw std::runtime_error("test link library not loaded: " + library_.LoadError());
  }

  void Reset() const { Get<TestLinkResetFunction>("TestLinkReset")(); }
  std::vector<std::string> Calls() const {
    std::vector<std::string> calls;
    const std::int32_t count = Get<TestLinkCallCountFunction>("TestLinkCallCount")();
    for (std::int32_t i = 0; i < count; ++i) {
      char text[512];
      Get<TestLinkCallFunction>("TestLinkCall")(i, text, sizeof text);
      calls.emplace_back(text);
    }
    return calls;
  }
  std::int32_t HandleOf(const std::string& itemName) const {
    return Get<TestLinkHandleOfFunction>("TestLinkHandleOf")(itemName.c_str());
  }
  void SetActive(std::int32_t handle, bool active) const {
    Get<TestLinkSetActiveFunction>("TestLinkSetActive")(handle, active ? 1 : 0);
  }
  // Delivers on the library's server thread; the steady clock (ns) at the
  // callback's entry, 0 when the link is not open.
  std::int64_t Serve(std::int32_t handle, const TVariant& value, std::uint16_t quality,
                     std::uint64_t timestamp = 0) const {
    const TLinkVariant linkValue(value);
    return Get<TestLinkServeFunction>("TestLinkServe")(handle, &linkValue.Value(), quality, timestamp);
  }
  void StartFeed(const std::vector<std::int32_t>& handles, std::int32_t valuesPerSecond,
                 std::uint16_t quality = 0xC0) const {
    Get<TestLinkStartFeedFunction>("TestLinkStartFeed")(handles.data(), static_cast<std::int32_t>(handles.size()),
                                                        valuesPerSecond, quality);
  }
  std::int64_t StopFeed() const { return Get<TestLinkStopFeedFunction>("TestLinkStopFeed")(); }
  double LastFed(std::int32_t handle) const { return Get<TestLinkLastFedFunction>("TestLinkLastFed")(handle); }
  // `value` empty: the numbers 1, 2, 3, ...
  void StartCountedFeed(const std::vector<std::int32_t>& handles, std::int32_t valuesPerSecond, std::int64_t total,
                        const TVariant& value = TVariant(), std::uint16_t quality = 0xC0) const {
    const TLinkVariant linkValue(value);
    Get<TestLinkStartCountedFeedFunction>("TestLinkStartCountedFeed")(
        handles.data(), static_cast<std::int32_t>(handles.size()), valuesPerSecond, quality,
        value.Type() == TVarType::Empty ? nullptr : &linkValue.Value(), total);
  }
  std::int64_t WaitFeed() const { return Get<TestLinkWaitFeedFunction>("TestLinkWaitFeed")(); }
  void SetStatus(std::int32_t handle, const std::string& status) const {
    Get<TestLinkSetStatusFunction>("TestLinkSetStatus")(handle, status.c_str());
  }
  void SetConnection(const std::string& name, IOPCConnectionState state, std::int64_t sinceUnixMilliseconds,
                     const std::string& details = "") const {
    Get<TestLinkSetConnectionFunction>("TestLinkSetConnection")(name.c_str(), state, sinceUnixMilliseconds,
                                                                details.c_str());
  }

 private:
  template <class F>
  F Get(const char* name) const {
    auto* function = reinterpret_cast<F>(library_.Symbol(name));
    if (!function) throw std::runtime_error(std::string("test link library lacks ") + name);
    return function;
  }

  DynamicLibrary library_;
};

}  // namespace tintoral::test
