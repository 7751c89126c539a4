#pragma once
// TiItemInbox: where the link library's values for one item arrive.
//
// The library may call back on any thread. The inbox appends the value, its
// quality and its timestamp to its queue under its lock on that thread and
// hands the rest to the poster: one delivery task is queued at a time, and
// it hands every queued value to the item, in the order received. The queue
// holds at most kCapacity values; when the owner's thread falls behind, the
// oldest value goes and is counted, so the library's thread never waits.
// Deliveries and Detach run on the thread the poster delivers to (the GUI
// thread); once the item has detached, a delivery still queued does nothing,
// and a late callback only reaches the inbox, which the item no longer reads.
//
// The library's context pointer is a number in a process-wide register,
// not an address, and each link the item opens gets a new one: a callback
// for an item that is gone, or for a link already removed (a late value, or
// one of the item's earlier links), finds nothing and is ignored.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "instruments/opc/LinkLibrary.h"
#include "runtime/Variant.h"

namespace tintoral {

// Runs a task on the thread that owns the items; empty: on the calling one.
using TiTaskPoster = std::function<void(std::function<void()> task)>;

// A value received for an item, as it came.
struct TiOPCItemData {
  TVariant value;
  std::uint64_t timestamp = 0;
  std::uint16_t quality = 0;
  // When the inbox received it (set by Receive): a value received before a
  // write is never applied after it.
  std::chrono::steady_clock::time_point received{};
};

class TiItemInbox : public std::enable_shared_from_this<TiItemInbox> {
 public:
  static constexpr std::size_t kCapacity = 4096;
  using Delivery = std::function<void(const TiOPCItemData&)>;

  // `deliver` runs for each value while the inbox is attached.
  static std::shared_ptr<TiItemInbox> Create(Delivery deliver);
  ~TiItemInbox();
  TiItemInbox(const TiItemInbox&) = delete;
  TiItemInbox& operator=(const TiItemInbox&) = delete;

  // A new context to hand to SignalAdd with DataCallback(); callbacks with
  // an earlier one are ignored from now on.
  void* OpenLink();
  // After SignalRemove: callbacks with the current context are ignored.
  void CloseLink();
  static IOPCDataCallback DataCallback();

  void SetPoster(TiTaskPoster poster);
  // Any thread: queues the data (dropping the oldest when full) and a
  // delivery unless one waits.
  void Receive(TiOPCItemData data);
  // The value received last, delivered or not.
  TiOPCItemData Latest() const;
  // How many values were dropped because the queue was full.
  std::uint64_t Dropped() const;
  // The most values the queue has held at once.
  std::size_t HighWater() const;
  // Any thread: runs the task on the delivering thread, after the values
  // queued so far, unless the inbox has detached by then.
  void PostWhileAttached(std::function<void()> task);
  // On the delivering thread: no delivery reaches the owner any more.
  void Detach();

 private:
  explicit TiItemInbox(Delivery deliver);
  void Deliver();

  std::uintptr_t id_ = 0;
  mutable std::mutex lock_;
  std::deque<TiOPCItemData> queue_;
  TiOPCItemData latest_;
  std::uint64_t dropped_ = 0;
  std::size_t highWater_ = 0;
  TiTaskPoster poster_;
  std::atomic<bool> deliveryQueued_{false};
  Delivery deliver_;  // touched on the delivering thread only
};

}  // namespace tintoral
