#include "instruments/opc/OPCItem.h"

#include <algorithm>

#include "instruments/opc/ItemManager.h"
#include "instruments/opc/OPCLibrary.h"
#include "runtime/ClassBuilder.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

bool IsNumber(const TVariant& value) {
  return value.Type() == TVarType::Integer || value.Type() == TVarType::Int64 || value.Type() == TVarType::Double ||
         value.Type() == TVarType::Boolean;
}

// Whether the server reports the value that was written: numbers by value
// (the node may keep another number type), anything else by its text.
bool SameValue(const TVariant& received, const TVariant& written) {
  if (IsNumber(received) && IsNumber(written)) return received.ToDouble() == written.ToDouble();
  return received.ToString() == written.ToString();
}

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

TiOPCItem::TiOPCItem() : inbox_(TiItemInbox::Create([this](const TiOPCItemData& data) { DataArrived(data); })) {}

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

// The library of the open link; without one, the library for the server
// name (its scheme chooses).
const TiOPCLibrary& TiOPCItem::Library() const {
  if (handle_ != 0 && linked_) return *linked_;
  return manager_ ? manager_->LibraryFor(serverName_) : LinkLibraryFor(serverName_);
}

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
  const TiOPCLibrary& library = Library();
  handle_ =
      library.SignalAdd(computerName_, serverName_, itemName_, groupName_, updateRate_,
                        static_cast<std::uint8_t>(propertyKind_), TiItemInbox::DataCallback(), inbox_->OpenLink());
  linked_ = &library;
}

void TiOPCItem::DisconnectItem() {
  if (!LinkAllowed()) return;
  Library().SignalRemove(handle_);
  inbox_->CloseLink();
  handle_ = 0;
  linked_ = nullptr;
  writeInFlight_ = false;
  holding_ = false;
}

void TiOPCItem::SendItemData(const TVariant& value) {
  if (Library().Available()) Library().SignalSendData(handle_, value);
}

int TiOPCItem::HoldMilliseconds() const { return std::max(1000, 4 * std::max(0, updateRate_)); }

bool TiOPCItem::WriteValue(const TVariant& value) {
  if (!IsItemActive()) {
    ReportProblem("write of " + value.ToString() + " refused: the server is not connected");
    // The last good value is handed back once the write that was refused
    // has returned: the last value may be one of bad quality that the
    // instrument never took.
    if (hasGoodData_)
      inbox_->PostWhileAttached([this] {
        if (manager_) manager_->RestoreValue(*this, lastGoodValue_);
      });
    return false;
  }
  lastWriteMade_ = std::chrono::steady_clock::now();
  SendItemData(value);
  writeInFlight_ = true;
  lastWritten_ = value;
  holdUntil_ = lastWriteMade_ + std::chrono::milliseconds(HoldMilliseconds());
  return true;
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

void TiOPCItem::DataArrived(const TiOPCItemData& data) {
  lastData_ = data;
  hasData_ = true;
  if (IsGoodQuality(data.quality)) {
    problem_.clear();
    lastGoodValue_ = data.value;
    hasGoodData_ = true;
  }
  if (autoError_) UpdateItemError();
  // Received before the last write (waiting for its display frame, say):
  // applied now it would undo the write, however long the server takes to
  // report the value written.
  if (PredatesLastWrite(data)) return;
  if (HoldsBack(data)) return;
  HandOn();
}

bool TiOPCItem::HoldsBack(const TiOPCItemData& data) {
  if (!writeInFlight_) return false;
  if ((IsGoodQuality(data.quality) && SameValue(data.value, lastWritten_)) ||
      std::chrono::steady_clock::now() >= holdUntil_) {
    writeInFlight_ = false;
    holding_ = false;
    return false;
  }
  if (!holding_) {
    holding_ = true;
    if (!holdTimer_) {
      holdTimer_ = std::make_unique<TTimerService>();
      holdTimer_->SetOnTimer([this] { HoldTimeUp(); });
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(holdUntil_ - std::chrono::steady_clock::now());
    holdTimer_->Start(static_cast<int>(left.count()) + 1, 0);
  }
  return true;
}

// The write was not confirmed in time (or a later write extended it): the
// last value held back is handed on once no write is in flight any more.
void TiOPCItem::HoldTimeUp() {
  if (!holding_) return;
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(holdUntil_ - std::chrono::steady_clock::now());
  if (writeInFlight_ && left.count() > 0) {
    holdTimer_->Start(static_cast<int>(left.count()) + 1, 0);
    return;
  }
  writeInFlight_ = false;
  holding_ = false;
  if (!PredatesLastWrite(lastData_)) HandOn();
}

void TiOPCItem::HandOn() {
  if (manager_) manager_->NewData(*this);
}

void TiOPCItem::ReportProblem(const std::string& message) {
  problem_ = message;
  ++problemCount_;
  if (manager_) manager_->ReportProblem(*this, message);
}

std::string TiOPCItem::Status() const {
  if (!problem_.empty() || handle_ == 0) return problem_;
  return Library().SignalGetStatus(handle_);
}

std::string TiOPCItem::LinkName() const { return (IsBlank(serverName_) ? groupName_ : serverName_) + "/" + itemName_; }

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
