#pragma once
// Tasks handed from any thread to the GUI thread.
//
// PostToMainThread queues a task and wakes the GUI thread's event loop,
// which runs the queued tasks in order; an error escaping a task goes to
// Application().HandleException. The queue is guarded by its own mutex and
// the wake-up is an event counter that the event loop watches, so posting
// touches no Qt object off the GUI thread.
#include <functional>

namespace tintoral {

// On the GUI thread, once the application object exists: sets the queue up
// (idempotent). Before that, posts go through Qt's queued invocation.
void MainThreadQueueStart();
// Any thread.
void PostToMainThread(std::function<void()> task);
// GUI thread: runs the tasks queued so far at once (the event loop does this
// by itself); returns how many ran.
int RunMainThreadTasks();

}  // namespace tintoral
