#include "tools/paneldesigner/ItemBrowsing.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <mutex>

#include "instruments/opc/LinkVariant.h"
#include "instruments/opc/OPCItem.h"
#include "instruments/opc/OPCLibrary.h"

namespace tintoral {
namespace {

constexpr std::int32_t kFirstBufferSize = 1 << 16;

// Asks a text function of the library, again with room for all of it when
// the first buffer was too small.
template <class Call>
std::string AskText(const Call& call) {
  std::string text(kFirstBufferSize, '\0');
  std::int32_t length = call(text.data(), static_cast<std::int32_t>(text.size()));
  if (length >= static_cast<std::int32_t>(text.size())) {
    text.assign(static_cast<std::size_t>(length) + 1, '\0');
    length = call(text.data(), static_cast<std::int32_t>(text.size()));
  }
  text.resize(
      static_cast<std::size_t>(std::clamp<std::int32_t>(length, 0, static_cast<std::int32_t>(text.size()) - 1)));
  return text;
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    if (end > start) lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string QualityText(std::uint16_t quality) {
  if (IsGoodQuality(quality)) return "good";
  return (quality & 0xC0) == 0x40 ? "uncertain" : "bad";
}

// The first value of each reading, by its id.
struct TReadings {
  std::mutex lock;
  std::map<std::int64_t, std::optional<std::string>> values;
  std::int64_t nextId = 1;
};

TReadings& Readings() {
  static TReadings readings;
  return readings;
}

void IOPC_CALL Receive(void* context, const IOPCVariant* value, std::uint16_t quality, std::uint64_t) {
  const std::int64_t id = reinterpret_cast<std::intptr_t>(context);
  const std::string text = FromLinkVariant(*value).ToString() + " (quality " + QualityText(quality) + ")";
  TReadings& readings = Readings();
  const std::lock_guard hold(readings.lock);
  const auto found = readings.values.find(id);
  if (found != readings.values.end() && !found->second) found->second = text;
}

}  // namespace

TBrowseResult ParseBrowseText(std::string_view text) {
  TBrowseResult result;
  for (const std::string& line : Lines(text)) {
    const std::size_t first = line.find('\t');
    const std::string kind = line.substr(0, first);
    const std::string rest = first == std::string::npos ? "" : line.substr(first + 1);
    if (kind == "E") {
      result.error = rest;
      continue;
    }
    const std::size_t second = rest.find('\t');
    if ((kind != "B" && kind != "I") || second == std::string::npos) continue;
    result.entries.push_back({kind == "B", rest.substr(0, second), rest.substr(second + 1)});
  }
  return result;
}

std::vector<std::string> BrowseServers(const TiOPCLibrary& library, const std::string& computer) {
  const auto servers = reinterpret_cast<IOPCEditorServerGetData>(library.Function("EditorServerGetData"));
  if (!servers) return {};
  return Lines(AskText([&](char* buffer, std::int32_t size) { return servers(computer.c_str(), buffer, size); }));
}

TBrowseResult BrowseBranch(const TiOPCLibrary& library, const std::string& computer, const std::string& server,
                           const std::string& branch, int timeoutMs) {
  const auto items = reinterpret_cast<IOPCEditorItemGetBranchItems>(library.Function("EditorItemGetBranchItems"));
  if (!items) return {{}, "the link library " + library.Name() + " cannot browse its servers"};
  return ParseBrowseText(AskText([&](char* buffer, std::int32_t size) {
    return items(computer.c_str(), server.c_str(), branch.c_str(), timeoutMs, buffer, size);
  }));
}

TItemReading::TItemReading(const TiOPCLibrary& library, const TItemBinding& binding) : library_(library) {
  TReadings& readings = Readings();
  {
    const std::lock_guard hold(readings.lock);
    id_ = readings.nextId++;
    readings.values[id_];
  }
  if (!library.Available()) return;
  handle_ =
      library.SignalAdd(binding.computerName, binding.serverName, binding.itemName, binding.groupName,
                        binding.updateRate, 0, &Receive, reinterpret_cast<void*>(static_cast<std::intptr_t>(id_)));
}

TItemReading::~TItemReading() {
  if (handle_ != 0) library_.SignalRemove(handle_);
  TReadings& readings = Readings();
  const std::lock_guard hold(readings.lock);
  readings.values.erase(id_);
}

std::optional<std::string> TItemReading::Value() const {
  TReadings& readings = Readings();
  const std::lock_guard hold(readings.lock);
  return readings.values.at(id_);
}

std::string TItemReading::Trouble() const {
  if (!library_.Available()) return "no link library: " + library_.LoadError();
  if (handle_ == 0) return "the link library took no link for it";
  std::string trouble = library_.SignalGetStatus(handle_);
  for (const TiServerConnection& connection : library_.ServerConnections())
    if (connection.state != IOPC_CONNECTION_CONNECTED)
      trouble += (trouble.empty() ? "" : "; ") + connection.name +
                 (connection.details.empty() ? ": not connected" : ": " + connection.details);
  return trouble;
}

}  // namespace tintoral
