#pragma once
// TiOPCItem: one binding of a published property of an instrument to an
// item on a data server, through the link library (OPCLibrary.h).
//
// Connecting opens a link with SignalAdd; the library then sends values,
// which the item's inbox (ItemInbox.h) queues on the library's thread and
// delivers one by one, in order, on the owner's thread: there the item
// stores each as its last data, updates the owner's error flag (AutoError)
// and hands itself to the manager's new-data callback.
//
// A write (WriteValue) is in flight until the server reports the value
// written, or until the hold time (a few update periods) has passed: values
// arriving meanwhile predate it and are held back, so they do not move the
// instrument away from what the user set; at the hold time the last value
// held back is handed on. A write to an item that is connected but not
// active (server down) is refused at once: the item's problem says so, and
// the instrument is given back the server's last value of good quality.
//
// The link library is chosen by the scheme of the server name
// (LinkLibraryFor); an open link stays with the library that opened it.
//
// Item operations run on the owner's thread; ReceiveData may run on any.
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "instruments/opc/ItemInbox.h"
#include "platform/window/Timer.h"
#include "runtime/Persistent.h"

namespace tintoral {

class TiOPCItemManager;
class TiOPCLibrary;

// Good when bits 6 and 7 of the quality word are both set.
constexpr bool IsGoodQuality(std::uint16_t quality) { return (quality & 0xC0) == 0xC0; }

class TiOPCItem : public TPersistent {
  TINTORAL_CLASS(TiOPCItem, TPersistent)

 public:
  TiOPCItem();
  // Disconnects; errors are swallowed. A value still on its way is dropped.
  ~TiOPCItem() override;

  // ---- Published --------------------------------------------------------
  // The bound published property of the owning instrument ("Sub.Name"
  // reaches a property of a held object). Setting it asks the manager for
  // the property's kind code; it does not reconnect.
  const std::string& PropertyName() const { return propertyName_; }
  void SetPropertyName(const std::string& value);
  int PropertyKind() const { return propertyKind_; }
  // The settings below reconnect an active item.
  const std::string& GroupName() const { return groupName_; }
  void SetGroupName(const std::string& value);
  const std::string& ComputerName() const { return computerName_; }
  void SetComputerName(const std::string& value);
  const std::string& ServerName() const { return serverName_; }
  void SetServerName(const std::string& value);
  const std::string& ItemName() const { return itemName_; }
  void SetItemName(const std::string& value);
  std::int32_t UpdateRate() const { return updateRate_; }
  void SetUpdateRate(std::int32_t value);
  // Turned on with the library there and an owner that is not loading:
  // connects.
  bool AutoConnect() const { return autoConnect_; }
  void SetAutoConnect(bool value);
  // Turned on: UpdateItemError.
  bool AutoError() const { return autoError_; }
  void SetAutoError(bool value);

  // ---- Link state -------------------------------------------------------
  std::int32_t Handle() const { return handle_; }
  // The last value received with its timestamp and quality, read together:
  // while the new-data callback runs, the value it is called for.
  TiOPCItemData LastData() const { return lastData_; }
  // Whether any value has been received.
  bool HasData() const { return hasData_; }
  TVariant LastValue() const { return LastData().value; }
  std::uint16_t LastQuality() const { return LastData().quality; }
  std::uint64_t LastTimestamp() const { return LastData().timestamp; }

  // The list the item belongs to (not owned); nullptr while detached.
  TiOPCItemManager* Manager() const { return manager_; }
  void SetManager(TiOPCItemManager* manager);

  // ---- Operations ---------------------------------------------------------
  // False without a manager, while the owner is designed or without the
  // library; otherwise what the library reports for the link.
  bool IsItemActive() const;
  // Opens the link when the library is there, the item has a manager and
  // the owner is not designed, and the item names a property, a group or a
  // server, and an item. An open link is closed first.
  void ConnectItem();
  // Closes the link (same conditions as ConnectItem).
  void DisconnectItem();
  // Writes the value to the server when the library is there.
  void SendItemData(const TVariant& value);
  // A write made at the instrument: sent and held in flight while the item
  // is active; refused (false, reported, the server's last good value
  // restored) while it is not.
  bool WriteValue(const TVariant& value);
  bool WriteInFlight() const { return writeInFlight_; }
  // How long a write may stay in flight: four update periods, at least 1 s.
  int HoldMilliseconds() const;
  // An active item of an instrument sets the instrument's error flag when
  // the last quality is not good and clears it when it is. A connected item
  // that the library reports inactive sets it too: the flag then stays up
  // until good data comes while the item is active again.
  void UpdateItemError();
  // The receiving routine; any thread (see the file comment).
  void ReceiveData(const TVariant& value, std::uint16_t quality, std::uint64_t timestamp);
  // ---- Health ---------------------------------------------------------------
  // Values dropped because the owner's thread fell behind the library.
  std::uint64_t DroppedValues() const { return inbox_->Dropped(); }
  // The most values that waited at once for the owner's thread.
  std::size_t QueueHighWater() const { return inbox_->HighWater(); }
  // A problem of this item (a value that could not be taken, a refused
  // write): reported to the manager, kept as Problem() until a value of
  // good quality arrives, and counted.
  void ReportProblem(const std::string& message);
  const std::string& Problem() const { return problem_; }
  std::uint64_t ProblemCount() const { return problemCount_; }
  // Problem(), else what the library reports for the link ("" when fine).
  std::string Status() const;
  // "Server/Item" (the group when there is no server).
  std::string LinkName() const;

  // The line of the form file the item was read from (0: not read).
  int SourceLine() const { return sourceLine_; }
  void SetSourceLine(int line) { sourceLine_ = line; }

  // After reading from a stream: UpdateItemError (AutoError), then connect
  // (AutoConnect, owner not designed). Errors are swallowed.
  void ItemLoaded();

  void Assign(const TPersistent& source) override;

  // The library of the open link; without one, the library for the server
  // name (its scheme chooses), loaded at this first use.
  const TiOPCLibrary& Library() const;

 private:
  bool LinkAllowed() const;
  void ReconnectIfActive();
  void DataArrived(const TiOPCItemData& data);
  bool PredatesLastWrite(const TiOPCItemData& data) const { return data.received < lastWriteMade_; }
  bool HoldsBack(const TiOPCItemData& data);
  void HoldTimeUp();
  void HandOn();

  std::string propertyName_;
  int propertyKind_ = 0;
  std::string groupName_;
  std::string serverName_;
  std::string computerName_ = "Local";
  std::string itemName_;
  bool autoConnect_ = true;
  std::int32_t updateRate_ = 500;
  std::int32_t handle_ = 0;
  const TiOPCLibrary* linked_ = nullptr;  // the library of the open link
  std::shared_ptr<TiItemInbox> inbox_;
  TiOPCItemData lastData_;
  bool hasData_ = false;
  TVariant lastGoodValue_;  // the last value of good quality
  bool hasGoodData_ = false;
  TiOPCItemManager* manager_ = nullptr;
  bool autoError_ = false;
  bool writeInFlight_ = false;
  bool holding_ = false;  // a value arrived while the write was in flight
  TVariant lastWritten_;
  std::chrono::steady_clock::time_point lastWriteMade_{};
  std::chrono::steady_clock::time_point holdUntil_;
  std::unique_ptr<TTimerService> holdTimer_;  // created at the first write
  std::string problem_;
  std::uint64_t problemCount_ = 0;
  int sourceLine_ = 0;
};

}  // namespace tintoral
