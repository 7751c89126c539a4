#include "tools/paneldesigner/ItemBindings.h"

#include <algorithm>

#include "instruments/base/InstrumentComponent.h"
#include "instruments/opc/ItemManager.h"
#include "instruments/opc/OPCItem.h"
#include "platform/window/Control.h"
#include "runtime/Exception.h"
#include "runtime/Identifiers.h"
#include "tools/paneldesigner/DesignDocument.h"
#include "tools/paneldesigner/PropertyRows.h"

namespace tintoral {

bool CanBindItems(const TComponent& component) { return dynamic_cast<const TiVCLComponent*>(&component) != nullptr; }

std::vector<TItemBinding> ItemBindingsOf(const TComponent& component) {
  std::vector<TItemBinding> bindings;
  const auto* instrument = dynamic_cast<const TiVCLComponent*>(&component);
  if (!instrument) return bindings;
  const TiOPCItemManager& items = instrument->OPCItemManager();
  for (int i = 0; i < items.Count(); ++i) {
    const TiOPCItem& item = items.Items(i);
    bindings.push_back({item.PropertyName(), item.ServerName(), item.ItemName(), item.GroupName(), item.ComputerName(),
                        item.UpdateRate(), item.AutoConnect(), item.AutoError()});
  }
  return bindings;
}

std::vector<std::string> BindableProperties(const TComponent& component) {
  std::vector<std::string> paths;
  for (const TPropertyRow& row : PropertyRowsOf(component))
    if (!row.readOnly && row.kind != tkClass && row.kind != tkMethod) paths.push_back(row.path);
  return paths;
}

void SetItemBindings(TDesignDocument& document, const std::string& component,
                     const std::vector<TItemBinding>& bindings) {
  auto* instrument = dynamic_cast<TiVCLComponent*>(document.FindControl(component));
  if (!instrument) throw InvalidOperation("'" + component + "' is not an instrument: it cannot bind items");
  const std::vector<std::string> bindable = BindableProperties(*instrument);
  for (const TItemBinding& binding : bindings)
    if (std::none_of(bindable.begin(), bindable.end(),
                     [&](const std::string& p) { return SameText(p, binding.propertyName); }))
      throw InvalidOperation(component + " has no property '" + binding.propertyName + "' an item can bind");
  for (const TItemBinding& binding : bindings)
    if (binding.serverName.empty() && binding.groupName.empty())
      throw InvalidOperation(component + "'s item for '" + binding.propertyName +
                             "' names no server: give a server name, or a group for the link library's default server");
  TiOPCItemManager& items = instrument->OPCItemManager();
  items.Clear();
  for (const TItemBinding& binding : bindings) {
    TiOPCItem& item = items.Add();
    item.SetPropertyName(binding.propertyName);
    item.SetGroupName(binding.groupName);
    item.SetComputerName(binding.computerName);
    item.SetServerName(binding.serverName);
    item.SetItemName(binding.itemName);
    item.SetUpdateRate(binding.updateRate);
    item.SetAutoConnect(binding.autoConnect);
    item.SetAutoError(binding.autoError);
  }
  document.Commit();
}

}  // namespace tintoral
