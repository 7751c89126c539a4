#pragma once
// An OPC UA link driven directly, without instruments, that records what
// its items deliver: for the tests of the link's own rules (writes, item
// problems, server connection states).
#include <cstdint>
#include <list>
#include <mutex>
#include <string>
#include <vector>

#include "linklib/opcua/OpcUaLink.h"

namespace tintoral::test {

struct Delivery {
  std::string value;  // the value as text
  std::uint16_t quality = 0;
};

class RecordingLink {
 public:
  RecordingLink();
  ~RecordingLink();

  std::int32_t Add(const std::string& endpoint, const std::string& variable, int updateRate = 50);
  std::vector<Delivery> Deliveries(std::int32_t handle) const;
  opcua::OpcUaLink& Link() { return *link_; }
  // The state of the connection to `endpoint` (UNKNOWN when there is none),
  // with its text.
  IOPCConnectionState State(const std::string& endpoint, std::string* text = nullptr) const;

 private:
  struct Slot {
    RecordingLink* owner;
    std::int32_t handle;
  };
  static void Receive(void* context, const IOPCVariant* value, std::uint16_t quality, std::uint64_t timestamp);

  mutable std::mutex lock_;
  std::list<Slot> slots_;
  std::vector<std::pair<std::int32_t, Delivery>> deliveries_;
  std::unique_ptr<opcua::OpcUaLink> link_;  // ends before the slots it calls back into
};

}  // namespace tintoral::test
