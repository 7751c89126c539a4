// Feeds arbitrary bytes, line by line, to the OPC UA link as if its helper
// process had written them: values, statuses, problems and server states
// for three items the link holds (handles 1 to 3). The helper behind the
// link is a program that says nothing, so the fuzzer alone speaks for it. Any line must be taken or ignored; a crash, a
// sanitizer report or a hang is a finding.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "linklib/opcua/OpcUaLink.h"

using namespace tintoral;

namespace {

std::atomic<std::uint64_t> deliveries{0};

void IOPC_CALL CountDelivery(void*, const IOPCVariant* value, uint16_t, uint64_t) {
  if (value != nullptr) deliveries.fetch_add(1, std::memory_order_relaxed);
}

opcua::OpcUaLink& Link() {
  static opcua::OpcUaLink* link = [] {
    // It reads its input to the end, which comes when this process ends.
    auto* made = new opcua::OpcUaLink(opcua::HelperCommand{"sh", {"-c"}, "cat >/dev/null"});
    for (const char* item : {"ns=1;s=Double", "ns=1;s=Text", "ns=1;i=2258"})
      made->Add("", "opc.tcp://127.0.0.1:4840", item, "G", 100, CountDelivery, nullptr);
    return made;
  }();
  return *link;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  opcua::OpcUaLink& link = Link();
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    link.HandleLine(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  for (std::int32_t handle = 1; handle <= 4; ++handle) link.Status(handle);
  opcua::ServerConnection connection;
  for (std::size_t i = 0; link.Connection(i, connection); ++i) {
  }
  return 0;
}
