#pragma once
// TiItemInbox: where the link library's values for one item arrive.
//
// The library may call back on any thread. The inbox stores the value, its
// quality and its timestamp under its lock (the item's lock) on that thread,
// and hands the rest to the poster: one delivery to the item is queued at a
// time, so a burst of values coalesces and the delivery reads the latest
// value when it runs. Deliveries and Detach run on the thread the poster
// delivers to (the GUI thread); once the item has detached, a delivery still
// queued does nothing, and a late callback only reaches the inbox, which
// the item no longer reads.
//
// The library's context pointer is a number in a process-wide register,
// not an address, and each link the item opens gets a new one: a callback
// for an item that is gone, or for a link already removed (a late value, or
// one of the item's earlier links), finds nothing and is ignored.
#include <atomic>
#include <cstdint>
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
};

class TiItemInbox : public std::enable_shared_from_this<TiItemInbox> {
 public:
  // `deliver` runs for each delivery while the inbox is attached.
  static std::shared_ptr<TiItemInbox> Create(std::function<void()> deliver);
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
  // Any thread: stores the data and queues a delivery unless one waits.
  void Receive(TiOPCItemData data);
  TiOPCItemData Latest() const;
  // On the delivering thread: no delivery reaches the owner any more.
  void Detach();

 private:
  explicit TiItemInbox(std::function<void()> deliver);
  void Deliver();

  std::uintptr_t id_ = 0;
  mutable std::mutex lock_;
  TiOPCItemData latest_;
  TiTaskPoster poster_;
  std::atomic<bool> deliveryQueued_{false};
  std::function<void()> deliver_;  // touched on the delivering thread only
};

}  // namespace tintoral
