#include "instruments/opc/OPCItem.h"

#include "instruments/opc/ItemManager.h"
#include "runtime/ClassBuilder.h"

namespace tintoral {

const TClassInfo& TiOPCItem::StaticClass() {
  // Every property has no default, so streams always write it.
  static const TClassInfo info = DescribeClass<TiOPCItem>("TiOPCItem", TPersistent::StaticClass(), [](auto& b) {
    b.Property("PropertyName", &TiOPCItem::PropertyName, &TiOPCItem::SetPropertyName);
    b.Property("GroupName", &TiOPCItem::GroupName, &TiOPCItem::SetGroupName);
    b.Property("ComputerName", &TiOPCItem::ComputerName, &TiOPCItem::SetComputerName);
    b.Property("ServerName", &TiOPCItem::ServerName, &TiOPCItem::SetServerName);
    b.Property("ItemName", &TiOPCItem::ItemName, &TiOPCItem::SetItemName);
    b.Property("UpdateRate", &TiOPCItem::UpdateRate, &TiOPCItem::SetUpdateRate);
    b.Property("AutoConnect", &TiOPCItem::AutoConnect, &TiOPCItem::SetAutoConnect);
    b.Property("AutoError", &TiOPCItem::AutoError, &TiOPCItem::SetAutoError);
  });
  return info;
}

void TiOPCItem::SetPropertyName(const std::string& value) {
  propertyName_ = value;
  propertyKind_ = manager_ ? manager_->PropertyKindOf(value) : 0;
}

void TiOPCItem::Assign(const TPersistent& source) {
  const auto* item = dynamic_cast<const TiOPCItem*>(&source);
  if (!item) {
    TPersistent::Assign(source);
    return;
  }
  SetPropertyName(item->propertyName_);
  groupName_ = item->groupName_;
  serverName_ = item->serverName_;
  computerName_ = item->computerName_;
  itemName_ = item->itemName_;
  autoConnect_ = item->autoConnect_;
  updateRate_ = item->updateRate_;
  autoError_ = item->autoError_;
}

}  // namespace tintoral
