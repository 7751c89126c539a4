#pragma once
// TiOPCItem: one binding of an instrument property to an item on a data
// server. For now it holds its settings only; connecting and receiving
// values belong to the link library, which is not wired up yet.
#include <cstdint>
#include <string>

#include "runtime/Persistent.h"

namespace tintoral {

class TiOPCItemManager;

class TiOPCItem : public TPersistent {
  TINTORAL_CLASS(TiOPCItem, TPersistent)

 public:
  TiOPCItem() = default;

  // The bound published property of the owning instrument ("Sub.Name"
  // reaches a property of a held object). Setting it asks the manager for
  // the property's kind code.
  const std::string& PropertyName() const { return propertyName_; }
  void SetPropertyName(const std::string& value);
  int PropertyKind() const { return propertyKind_; }
  const std::string& GroupName() const { return groupName_; }
  void SetGroupName(const std::string& value) { groupName_ = value; }
  const std::string& ComputerName() const { return computerName_; }
  void SetComputerName(const std::string& value) { computerName_ = value; }
  const std::string& ServerName() const { return serverName_; }
  void SetServerName(const std::string& value) { serverName_ = value; }
  const std::string& ItemName() const { return itemName_; }
  void SetItemName(const std::string& value) { itemName_ = value; }
  std::int32_t UpdateRate() const { return updateRate_; }
  void SetUpdateRate(std::int32_t value) { updateRate_ = value; }
  bool AutoConnect() const { return autoConnect_; }
  void SetAutoConnect(bool value) { autoConnect_ = value; }
  bool AutoError() const { return autoError_; }
  void SetAutoError(bool value) { autoError_ = value; }

  // The list the item belongs to (not owned); nullptr while detached.
  TiOPCItemManager* Manager() const { return manager_; }
  void SetManager(TiOPCItemManager* manager) { manager_ = manager; }

  void Assign(const TPersistent& source) override;

 private:
  std::string propertyName_;
  int propertyKind_ = 0;
  std::string groupName_;
  std::string serverName_;
  std::string computerName_ = "Local";
  std::string itemName_;
  bool autoConnect_ = true;
  std::int32_t updateRate_ = 500;
  TiOPCItemManager* manager_ = nullptr;
  bool autoError_ = false;
};

}  // namespace tintoral
