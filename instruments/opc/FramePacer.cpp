#include "instruments/opc/FramePacer.h"

#include <deque>
#include <functional>
#include <mutex>

#include "platform/window/Application.h"

namespace tintoral {

// What the posting threads share with the pacer. The back pointer is set
// and cleared on the owner's thread and read there only (in the flush task).
struct TiFramePacer::Shared {
  std::mutex lock;
  std::deque<std::function<void()>> tasks;
  bool flushQueued = false;
  TiFramePacer* pacer = nullptr;
};

TiFramePacer::TiFramePacer(TiTaskPoster post, std::chrono::milliseconds frame)
    : shared_(std::make_shared<Shared>()), post_(std::move(post)), frame_(frame) {
  shared_->pacer = this;
  frameEnd_.SetOnTimer([this] { Flush(); });
}

TiFramePacer::~TiFramePacer() { shared_->pacer = nullptr; }

TiTaskPoster TiFramePacer::Poster() const {
  return [weak = std::weak_ptr<Shared>(shared_), post = post_](std::function<void()> task) {
    const std::shared_ptr<Shared> shared = weak.lock();
    if (!shared) return;
    bool queueFlush = false;
    {
      std::lock_guard<std::mutex> guard(shared->lock);
      shared->tasks.push_back(std::move(task));
      queueFlush = !std::exchange(shared->flushQueued, true);
    }
    if (queueFlush)
      post([weak] {
        if (const std::shared_ptr<Shared> shared = weak.lock(); shared && shared->pacer) shared->pacer->Flush();
      });
  };
}

void TiFramePacer::Flush() {
  const auto now = std::chrono::steady_clock::now();
  if (now < lastRun_ + frame_) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(lastRun_ + frame_ - now);
    frameEnd_.Start(static_cast<int>(left.count()), 0);
    return;
  }
  lastRun_ = now;
  std::deque<std::function<void()>> tasks;
  {
    std::lock_guard<std::mutex> guard(shared_->lock);
    tasks.swap(shared_->tasks);
    shared_->flushQueued = false;  // a task posted from now on queues a new flush
  }
  // The pacer may go while a task runs (the instrument freed by a handler):
  // the rest are then dropped, as the items they deliver to are gone.
  const std::weak_ptr<Shared> alive = shared_;
  for (auto& task : tasks) {
    GuardedCall(task);
    const std::shared_ptr<Shared> shared = alive.lock();
    if (!shared || !shared->pacer) return;
  }
}

}  // namespace tintoral
