#include "instruments/opc/OPCItem.h"

#include "instruments/opc/ItemManager.h"
#include "instruments/opc/OPCLibrary.h"
#include "runtime/ClassBuilder.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

}  // namespace

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

TiOPCItem::TiOPCItem() : inbox_(TiItemInbox::Create([this] { DataArrived(); })) {}

TiOPCItem::~TiOPCItem() {
  inbox_->Detach();
  try {
    DisconnectItem();
  } catch (...) {
  }
}

void TiOPCItem::SetManager(TiOPCItemManager* manager) {
  manager_ = manager;
  inbox_->SetPoster(manager ? manager->Poster() : TiTaskPoster());
}

const TiOPCLibrary& TiOPCItem::Library() const { return manager_ ? manager_->Library() : OPCLibrary(); }

// ---- Setters ----------------------------------------------------------------------

void TiOPCItem::SetPropertyName(const std::string& value) {
  propertyName_ = value;
  propertyKind_ = manager_ ? manager_->PropertyKindOf(value) : 0;
}

void TiOPCItem::SetGroupName(const std::string& value) {
  groupName_ = value;
  ReconnectIfActive();
}

void TiOPCItem::SetComputerName(const std::string& value) {
  computerName_ = value;
  ReconnectIfActive();
}

void TiOPCItem::SetServerName(const std::string& value) {
  serverName_ = value;
  ReconnectIfActive();
}

void TiOPCItem::SetItemName(const std::string& value) {
  itemName_ = value;
  ReconnectIfActive();
}

void TiOPCItem::SetUpdateRate(std::int32_t value) {
  updateRate_ = value;
  ReconnectIfActive();
}

void TiOPCItem::SetAutoConnect(bool value) {
  autoConnect_ = value;
  if (value && Library().Available() && manager_ && manager_->Owner() && !manager_->OwnerIsLoading()) ConnectItem();
}

void TiOPCItem::SetAutoError(bool value) {
  const bool turnedOn = value && !autoError_;
  autoError_ = value;
  if (turnedOn) UpdateItemError();
}

void TiOPCItem::ReconnectIfActive() {
  if (IsItemActive()) ConnectItem();
}

// ---- Link ---------------------------------------------------------------------------

bool TiOPCItem::LinkAllowed() const { return Library().Available() && manager_ && !manager_->OwnerIsDesigning(); }

bool TiOPCItem::IsItemActive() const { return LinkAllowed() && Library().SignalGetActive(handle_); }

void TiOPCItem::ConnectItem() {
  if (!LinkAllowed()) return;
  if (autoError_) UpdateItemError();
  if (handle_ != 0) DisconnectItem();
  if (IsBlank(propertyName_) || (IsBlank(groupName_) && IsBlank(serverName_)) || IsBlank(itemName_)) return;
  if (IsItemActive()) DisconnectItem();
  handle_ =
      Library().SignalAdd(computerName_, serverName_, itemName_, groupName_, updateRate_,
                          static_cast<std::uint8_t>(propertyKind_), TiItemInbox::DataCallback(), inbox_->OpenLink());
}

void TiOPCItem::DisconnectItem() {
  if (!LinkAllowed()) return;
  Library().SignalRemove(handle_);
  inbox_->CloseLink();
  handle_ = 0;
}

void TiOPCItem::SendItemData(const TVariant& value) {
  if (Library().Available()) Library().SignalSendData(handle_, value);
}

// A connected item that the library reports inactive (server, connection or
// node gone) no longer shows live data: that raises the flag too.
void TiOPCItem::UpdateItemError() {
  if (!manager_ || !LinkAllowed()) return;
  if (Library().SignalGetActive(handle_)) manager_->SetOwnerErrorFlag(!IsGoodQuality(LastQuality()));
  else if (handle_ != 0) manager_->SetOwnerErrorFlag(true);
}

void TiOPCItem::ReceiveData(const TVariant& value, std::uint16_t quality, std::uint64_t timestamp) {
  inbox_->Receive({value, timestamp, quality});
}

void TiOPCItem::DataArrived() {
  if (autoError_) UpdateItemError();
  if (manager_) manager_->NewData(*this);
}

void TiOPCItem::ItemLoaded() {
  try {
    if (autoError_) UpdateItemError();
    if (autoConnect_ && !(manager_ && manager_->OwnerIsDesigning())) ConnectItem();
  } catch (const Exception&) {
  }
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
