#include "platform/window/MainThreadQueue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>

#include "platform/window/Application.h"

namespace tintoral {
namespace {

class MainThreadQueue {
 public:
  MainThreadQueue() : wakeUp_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)), notifier_(wakeUp_, QSocketNotifier::Read) {
    QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { Run(); });
  }

  void Post(std::function<void()> task) {
    bool wasEmpty = false;
    {
      std::lock_guard<std::mutex> guard(lock_);
      wasEmpty = tasks_.empty();
      tasks_.push_back(std::move(task));
    }
    if (wasEmpty) Signal();
  }

  int Run() {
    ClearSignal();  // before taking the tasks: a task posted from now on signals again
    std::deque<std::function<void()>> tasks;
    {
      std::lock_guard<std::mutex> guard(lock_);
      tasks.swap(tasks_);
    }
    for (auto& task : tasks) GuardedCall(task);
    return static_cast<int>(tasks.size());
  }

 private:
  void Signal() {
    const std::uint64_t one = 1;
    if (write(wakeUp_, &one, sizeof one) < 0) return;  // the counter is full: a wake-up is pending anyway
  }
  void ClearSignal() {
    std::uint64_t count = 0;
    if (read(wakeUp_, &count, sizeof count) < 0) return;  // nothing was signalled
  }

  int wakeUp_;
  QSocketNotifier notifier_;
  std::mutex lock_;
  std::deque<std::function<void()>> tasks_;
};

bool OnApplicationThread() {
  const QCoreApplication* application = QCoreApplication::instance();
  return application && QThread::currentThread() == application->thread();
}

// Created once on the GUI thread and kept to the end of the process (the
// event loop may be gone before static objects are destroyed).
std::atomic<MainThreadQueue*> startedQueue{nullptr};

MainThreadQueue* Queue() {
  MainThreadQueue* queue = startedQueue.load(std::memory_order_acquire);
  if (queue || !OnApplicationThread()) return queue;
  queue = new MainThreadQueue;
  startedQueue.store(queue, std::memory_order_release);
  return queue;
}

}  // namespace

void MainThreadQueueStart() { Queue(); }

void PostToMainThread(std::function<void()> task) {
  if (MainThreadQueue* queue = Queue()) {
    queue->Post(std::move(task));
  } else if (QCoreApplication* application = QCoreApplication::instance()) {
    QMetaObject::invokeMethod(
        application, [task = std::move(task)] { GuardedCall(task); }, Qt::QueuedConnection);
  } else {
    GuardedCall(task);  // no event loop to hand it to
  }
}

int RunMainThreadTasks() {
  MainThreadQueue* queue = Queue();
  return queue ? queue->Run() : 0;
}

}  // namespace tintoral
