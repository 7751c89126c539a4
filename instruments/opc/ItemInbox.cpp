#include "instruments/opc/ItemInbox.h"

#include <algorithm>
#include <unordered_map>

#include "instruments/opc/LinkVariant.h"

namespace tintoral {
namespace {

// The inboxes by number. Numbers are never used twice.
class InboxRegister {
 public:
  std::uintptr_t Add(const std::shared_ptr<TiItemInbox>& inbox) {
    std::lock_guard<std::mutex> guard(lock_);
    const std::uintptr_t id = ++lastId_;
    inboxes_.emplace(id, inbox);
    return id;
  }
  void Remove(std::uintptr_t id) {
    std::lock_guard<std::mutex> guard(lock_);
    inboxes_.erase(id);
  }
  std::shared_ptr<TiItemInbox> Find(std::uintptr_t id) const {
    std::lock_guard<std::mutex> guard(lock_);
    const auto found = inboxes_.find(id);
    return found == inboxes_.end() ? nullptr : found->second.lock();
  }

 private:
  mutable std::mutex lock_;
  std::uintptr_t lastId_ = 0;
  std::unordered_map<std::uintptr_t, std::weak_ptr<TiItemInbox>> inboxes_;
};

// Kept to the end of the process: an inbox may go after static objects.
InboxRegister& Inboxes() {
  static InboxRegister* inboxes = new InboxRegister;
  return *inboxes;
}

void IOPC_CALL ReceiveLinkData(void* context, const IOPCVariant* value, std::uint16_t quality,
                               std::uint64_t timestamp) {
  // Nothing may unwind into the library.
  try {
    const std::shared_ptr<TiItemInbox> inbox = Inboxes().Find(reinterpret_cast<std::uintptr_t>(context));
    if (inbox) inbox->Receive({value ? FromLinkVariant(*value) : TVariant(), timestamp, quality});
  } catch (...) {
  }
}

}  // namespace

std::shared_ptr<TiItemInbox> TiItemInbox::Create(Delivery deliver) {
  std::shared_ptr<TiItemInbox> inbox(new TiItemInbox(std::move(deliver)));
  inbox->id_ = Inboxes().Add(inbox);
  return inbox;
}

void* TiItemInbox::OpenLink() {
  Inboxes().Remove(id_);
  id_ = Inboxes().Add(shared_from_this());
  return reinterpret_cast<void*>(id_);
}

void TiItemInbox::CloseLink() { Inboxes().Remove(id_); }

TiItemInbox::TiItemInbox(Delivery deliver) : deliver_(std::move(deliver)) {}

TiItemInbox::~TiItemInbox() { Inboxes().Remove(id_); }

IOPCDataCallback TiItemInbox::DataCallback() { return &ReceiveLinkData; }

void TiItemInbox::SetPoster(TiTaskPoster poster) {
  std::lock_guard<std::mutex> guard(lock_);
  poster_ = std::move(poster);
}

void TiItemInbox::Receive(TiOPCItemData data) {
  TiTaskPoster poster;
  {
    std::lock_guard<std::mutex> guard(lock_);
    data.received = std::chrono::steady_clock::now();  // under the lock: in the order of the queue
    latest_ = data;
    if (queue_.size() >= kCapacity) {
      queue_.pop_front();
      ++dropped_;
    }
    queue_.push_back(std::move(data));
    highWater_ = std::max(highWater_, queue_.size());
    poster = poster_;
  }
  if (!poster) {
    Deliver();
    return;
  }
  if (deliveryQueued_.exchange(true, std::memory_order_acq_rel)) return;
  poster([inbox = shared_from_this()] { inbox->Deliver(); });
}

TiOPCItemData TiItemInbox::Latest() const {
  std::lock_guard<std::mutex> guard(lock_);
  return latest_;
}

std::uint64_t TiItemInbox::Dropped() const {
  std::lock_guard<std::mutex> guard(lock_);
  return dropped_;
}

std::size_t TiItemInbox::HighWater() const {
  std::lock_guard<std::mutex> guard(lock_);
  return highWater_;
}

void TiItemInbox::PostWhileAttached(std::function<void()> task) {
  TiTaskPoster poster;
  {
    std::lock_guard<std::mutex> guard(lock_);
    poster = poster_;
  }
  const auto runAttached = [inbox = shared_from_this(), task = std::move(task)] {
    if (inbox->deliver_) task();
  };
  if (poster) poster(runAttached);
  else runAttached();
}

void TiItemInbox::Detach() {
  Inboxes().Remove(id_);
  deliver_ = nullptr;
}

void TiItemInbox::Deliver() {
  // Cleared before the queue is taken: a value stored from now on queues a
  // new delivery, so every value is delivered.
  deliveryQueued_.store(false, std::memory_order_release);
  std::deque<TiOPCItemData> values;
  {
    std::lock_guard<std::mutex> guard(lock_);
    values.swap(queue_);
  }
  // A copy runs: the item may detach (and clear deliver_) while one of its
  // values is handled, and then hears no more of them.
  const Delivery deliver = deliver_;
  for (const TiOPCItemData& data : values) {
    if (!deliver_) return;
    deliver(data);
  }
}

}  // namespace tintoral
