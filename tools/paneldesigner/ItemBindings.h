#pragma once
// The data-link items of an instrument as the designer edits them: one
// binding per item of its "OPCItems" list, with the item's published
// settings.
#include <cstdint>
#include <string>
#include <vector>

namespace tintoral {

class TComponent;
class TDesignDocument;

struct TItemBinding {
  std::string propertyName;  // a published property of the instrument ("Value", "Font.Color")
  std::string serverName;
  std::string itemName;
  std::string groupName;
  std::string computerName = "Local";
  std::int32_t updateRate = 500;
  bool autoConnect = true;
  bool autoError = false;
  bool operator==(const TItemBinding&) const = default;
};

// Whether the component is an instrument, which can bind items.
bool CanBindItems(const TComponent& component);
std::vector<TItemBinding> ItemBindingsOf(const TComponent& component);
// Replaces the instrument's items as one undo step. Raises InvalidOperation
// for a component that is not an instrument, and for a binding whose
// property the instrument does not publish.
void SetItemBindings(TDesignDocument& document, const std::string& component,
                     const std::vector<TItemBinding>& bindings);

// The paths of the instrument's published properties that an item can
// bind: every one with a getter and a setter that is not an object or an
// event, those of held objects as "Font.Color".
std::vector<std::string> BindableProperties(const TComponent& component);

}  // namespace tintoral
