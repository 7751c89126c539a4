#include "tools/panelview/PanelStatus.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <vector>

#include "instruments/base/InstrumentComponent.h"
#include "instruments/opc/OPCLibrary.h"

namespace tintoral {
namespace {

std::string Join(const std::vector<std::string>& parts, const std::string& separator) {
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : separator) + part;
  return text;
}

std::string ConnectionText(const TiServerConnection& connection) {
  const std::string since = " since " + LocalClockTime(connection.sinceUnixMilliseconds);
  const std::string details = connection.details.empty() ? "" : " (" + connection.details + ")";
  switch (connection.state) {
    case IOPC_CONNECTION_CONNECTED: return connection.name + ": connected";
    case IOPC_CONNECTION_CONNECTING: return connection.name + ": connecting" + details;
    case IOPC_CONNECTION_LOST: return connection.name + ": lost" + since + ", reconnecting" + details;
    case IOPC_CONNECTION_REFUSED: return connection.name + ": refused" + since + details;
    default: return connection.name + ": state unknown";
  }
}

// What is wrong with the item, "" when nothing.
std::string ItemTrouble(const TiOPCItem& item) {
  std::vector<std::string> troubles;
  if (item.Handle() == 0 && item.AutoConnect()) troubles.push_back("not connected: the link library took no link");
  else if (item.Handle() != 0 && !item.IsItemActive()) troubles.push_back("not active");
  else if (item.Handle() != 0 && !item.HasData()) troubles.push_back("no value yet");  // marked as in error meanwhile
  else if (item.HasData() && !IsGoodQuality(item.LastQuality())) troubles.push_back("bad quality");
  if (item.DroppedValues() > 0) troubles.push_back(std::to_string(item.DroppedValues()) + " values dropped");
  if (const std::string status = item.Status(); !status.empty())
    troubles.push_back(item.ProblemCount() > 1 ? status + " (" + std::to_string(item.ProblemCount()) + " problems)"
                                               : status);
  return Join(troubles, ", ");
}

void CollectItemTroubles(const TComponent& component, std::vector<std::string>& troubles) {
  if (const auto* instrument = dynamic_cast<const TiVCLComponent*>(&component)) {
    const TiOPCItemManager& items = instrument->OPCItemManager();
    for (int i = 0; i < items.Count(); ++i) {
      const TiOPCItem& item = items.Items(i);
      if (const std::string trouble = ItemTrouble(item); !trouble.empty())
        troubles.push_back(instrument->Name() + "." + item.PropertyName() + " <- " + item.LinkName() + ": " + trouble);
    }
  }
  for (int i = 0; i < component.ComponentCount(); ++i) CollectItemTroubles(*component.Components(i), troubles);
}

// " with ComputerName 'press 7'" when the item names a computer other than this one.
std::string OnComputer(const TiOPCItem& item) {
  std::string computer = item.ComputerName();
  std::transform(computer.begin(), computer.end(), computer.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return computer.empty() || computer == "local" ? "" : " with ComputerName '" + item.ComputerName() + "'";
}

void CollectUnlinkedItems(const TComponent& component, const std::string& path, std::vector<std::string>& reports) {
  if (const auto* instrument = dynamic_cast<const TiVCLComponent*>(&component)) {
    const TiOPCItemManager& items = instrument->OPCItemManager();
    for (int i = 0; i < items.Count(); ++i) {
      const TiOPCItem& item = items.Items(i);
      if (item.Handle() != 0 || !item.AutoConnect() || !item.Library().Available()) continue;
      reports.push_back(path + ":" + std::to_string(item.SourceLine()) + ": " + instrument->Name() + ".OPCItems item " +
                        std::to_string(i) + " (" + item.PropertyName() + " <- " + item.LinkName() +
                        "): the link library took no link for it: ServerName '" + item.ServerName() + "'" +
                        OnComputer(item) + " is in no form the library accepts");
    }
  }
  for (int i = 0; i < component.ComponentCount(); ++i) CollectUnlinkedItems(*component.Components(i), path, reports);
}

}  // namespace

std::vector<std::string> UnlinkedItemReports(const TComponent& root, const std::string& path) {
  std::vector<std::string> reports;
  CollectUnlinkedItems(root, path, reports);
  return reports;
}

std::vector<std::string> LinkSetupProblems(const TiOPCLibrary& library) {
  const auto problems = reinterpret_cast<IOPCLinkGetSetupProblems>(library.Function("LinkGetSetupProblems"));
  if (!problems) return {};
  std::string text(static_cast<std::size_t>(std::max(0, problems(nullptr, 0))) + 1, '\0');
  text.resize(static_cast<std::size_t>(std::max(0, problems(text.data(), static_cast<std::int32_t>(text.size())))));
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool IsWarning(const std::string& line) { return line.find(": warning: ") != std::string::npos; }

std::string LocalClockTime(std::int64_t unixMilliseconds) {
  const std::time_t seconds = static_cast<std::time_t>(unixMilliseconds / 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[16];
  std::strftime(text, sizeof text, "%H:%M:%S", &local);
  return text;
}

std::vector<std::string> PanelStatusLines(const TComponent& root, const std::vector<const TiOPCLibrary*>& libraries) {
  if (std::none_of(libraries.begin(), libraries.end(),
                   [](const TiOPCLibrary* library) { return library->Available(); }))
    return {"no link library: the items stay unconnected"};
  std::vector<std::string> lines;
  for (const TiOPCLibrary* library : libraries) {
    if (!library->Available()) lines.push_back("no link library " + library->Name() + ": its items stay unconnected");
    for (const TiServerConnection& connection : library->ServerConnections())
      lines.push_back(ConnectionText(connection));
  }
  const std::size_t connections = lines.size();
  CollectItemTroubles(root, lines);
  if (lines.size() == connections) lines.push_back("all items well");
  return lines;
}

std::vector<std::string> PanelStatusLines(const TComponent& root, const TiOPCLibrary& library) {
  return PanelStatusLines(root, std::vector<const TiOPCLibrary*>{&library});
}

std::string PanelStatusText(const TComponent& root, const std::vector<const TiOPCLibrary*>& libraries) {
  return Join(PanelStatusLines(root, libraries), " | ");
}

std::string PanelStatusText(const TComponent& root, const TiOPCLibrary& library) {
  return Join(PanelStatusLines(root, library), " | ");
}

}  // namespace tintoral
