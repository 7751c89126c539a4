#pragma once
// Choosing a data-link item at design time: the servers and the items the
// link library knows (its browsing functions, instruments/opc/
// LinkLibrary.h), and one reading of an item's current value. Browsing a
// server far away may wait up to its time limit: the window calls it on a
// thread of its own. A reading never waits: it is asked again until its
// value comes or the window gives up.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/paneldesigner/ItemBindings.h"

namespace tintoral {

class TiOPCLibrary;

struct TBrowseEntry {
  bool isBranch = false;
  std::string name;  // as shown
  std::string id;    // the branch to browse, or the item's ItemName
  bool operator==(const TBrowseEntry&) const = default;
};

struct TBrowseResult {
  std::vector<TBrowseEntry> entries;
  std::string error;  // why the server could not be browsed, "" when it could
};

// The servers the library knows on the computer; none when it cannot say.
std::vector<std::string> BrowseServers(const TiOPCLibrary& library, const std::string& computer);
// One branch of a server ("" is the top). A library without browsing says so
// in `error`.
TBrowseResult BrowseBranch(const TiOPCLibrary& library, const std::string& computer, const std::string& server,
                           const std::string& branch, int timeoutMs);
// The entries of the library's browsing text ("B\tNAME\tBRANCH",
// "I\tNAME\tITEM", "E\tREASON", one a line).
TBrowseResult ParseBrowseText(std::string_view text);

// The item of a binding linked through the library as the data link links
// it, until this object goes.
class TItemReading {
 public:
  TItemReading(const TiOPCLibrary& library, const TItemBinding& binding);
  ~TItemReading();
  TItemReading(const TItemReading&) = delete;
  TItemReading& operator=(const TItemReading&) = delete;

  // "42.5 (quality good)" once the first value came.
  std::optional<std::string> Value() const;
  // Why no value came: no link taken, the link's status, the server
  // connections that are not well; "" when the library says nothing.
  std::string Trouble() const;

 private:
  const TiOPCLibrary& library_;
  std::int32_t handle_ = 0;
  std::int64_t id_;  // the callback's context, looked up in a table a late call does not find
};

}  // namespace tintoral
