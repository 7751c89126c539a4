#pragma once
// TiFramePacer: runs the data link's delivery tasks of one instrument at
// most once per display frame.
//
// Each delivery may change a property and so ask for a repaint; Qt merges
// repaint requests only within one pass of the event loop, and values that
// arrive one by one are delivered in many passes. The pacer gathers the
// tasks posted through its poster and runs them all in one pass: at once
// when the last run is a frame or more ago, otherwise when that frame ends.
// Every task runs, in the order posted; a value waits at most one frame.
//
// Poster() may be called from any thread and stays safe to call after the
// pacer is gone (the task is then dropped). The pacer itself lives on the
// owner's thread, which runs the tasks.
#include <chrono>
#include <memory>

#include "instruments/opc/ItemInbox.h"
#include "platform/window/Timer.h"

namespace tintoral {

class TiFramePacer {
 public:
  // `post` hands a task to the owner's thread; `frame` is the shortest time
  // between two runs.
  TiFramePacer(TiTaskPoster post, std::chrono::milliseconds frame);
  ~TiFramePacer();
  TiFramePacer(const TiFramePacer&) = delete;
  TiFramePacer& operator=(const TiFramePacer&) = delete;

  TiTaskPoster Poster() const;

 private:
  struct Shared;
  void Flush();

  std::shared_ptr<Shared> shared_;
  const TiTaskPoster post_;
  const std::chrono::milliseconds frame_;
  std::chrono::steady_clock::time_point lastRun_;
  TTimerService frameEnd_;
};

}  // namespace tintoral
