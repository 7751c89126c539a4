#pragma once
// A link driven directly, without instruments, and what its items last
// received as "VALUE/QUALITY" ("'TEXT'/192", "empty/4"): the fixture of the
// Modbus and MQTT link tests, whose fixtures make the link.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "linklib/LinkCore.h"

namespace tintoral::test {

class LinkFixture : public ::testing::Test {
 protected:
  void TearDown() override { link.reset(); }

  std::int32_t AddItem(const std::string& serverName, const std::string& itemName, const std::string& group = "",
                       int updateRate = 50);
  // The last value and quality delivered for the item ("" before any).
  std::string Last(std::int32_t handle);
  bool WaitFor(std::int32_t handle, const std::string& expected,
               std::chrono::milliseconds timeout = std::chrono::seconds(5));
  bool WaitActive(std::int32_t handle);
  // The first connection's state and text (UNKNOWN when there is none).
  IOPCConnectionState State(std::string* text = nullptr);
  void ForgetValues();
  static IOPCVariant Number(double value);

 private:
  struct Slot {
    LinkFixture* test;
    int id;
  };
  static void Receive(void* context, const IOPCVariant* value, std::uint16_t quality, std::uint64_t timestamp);

  std::mutex lock_;
  std::list<Slot> slots_;
  std::map<std::int32_t, int> slotOf_;
  std::map<int, std::string> last_;

 protected:
  std::unique_ptr<linklib::Link> link;  // ends before the slots it calls back into
};

}  // namespace tintoral::test
