// Feeds arbitrary bytes to the Modbus link's name parsers: the first line
// as a server name, the second as an item name, the rest as the registers
// the item reads. A parsed item must fit the address space, and its whole
// numbers must encode back to the registers they were decoded from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "linklib/modbus/ModbusAddress.h"
#include "linklib/modbus/ModbusCodec.h"
#include "linklib/modbus/ReadPlan.h"

using namespace tintoral::modbus;

namespace {

std::string Line(const std::string& text, std::size_t& at) {
  const std::size_t end = std::min(text.find('\n', at), text.size());
  std::string line = text.substr(at, end - at);
  at = std::min(end + 1, text.size());
  return line;
}

bool WholeNumber(ValueType type) {
  return type == ValueType::Int16 || type == ValueType::UInt16 || type == ValueType::Int32 || type == ValueType::UInt32;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::size_t at = 0;
  std::string error;
  const std::string serverName = Line(text, at);
  if (const auto server = ParseServerName(serverName, error))
    if (server->host.empty() || server->port < 1 || server->port > 65535 || server->unit < 0 || server->unit > 255)
      std::abort();
  const auto item = ParseItemName(Line(text, at), error);
  if (!item) return 0;
  if (item->Count() < 1 || item->address + item->Count() > 65536) std::abort();
  std::vector<std::uint16_t> registers(static_cast<std::size_t>(item->Count()));
  for (std::size_t i = 0; i < registers.size() && at + 1 < text.size(); ++i, at += 2)
    registers[i] = static_cast<std::uint16_t>(static_cast<unsigned char>(text[at]) << 8 |
                                              static_cast<unsigned char>(text[at + 1]));
  const Value value = DecodeRegisters(*item, registers.data());
  const IOPCVariant variant = value.Variant();
  std::vector<std::uint16_t> words;
  const bool encoded = Encode(*item, variant, words, error);
  if (WholeNumber(item->type) && (!encoded || words != registers)) std::abort();
  const std::vector<ReadRequest> plan = PlanReads({*item, *item});
  if (plan.size() != 1 || plan[0].count != item->Count()) std::abort();
  return 0;
}
