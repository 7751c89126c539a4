#pragma once
// Child processes for the end-to-end tests: programs started with extra
// environment variables and stopped again by their process id, and short
// commands whose standard output is captured.
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tintoral::e2e {

// "NAME=value" entries added to (or replacing those of) this process's environment.
using Environment = std::vector<std::string>;

// True when `program` is an executable found on PATH (or a path to one).
bool ProgramExists(const std::string& program);

class ChildProcess {
 public:
  // Starts argv[0] (looked up on PATH). `outputFd`, when not -1, becomes the
  // child's file descriptor `childFd`; the child's standard output and error
  // otherwise go to /dev/null. Throws std::runtime_error when it cannot start.
  ChildProcess(const std::vector<std::string>& argv, const Environment& environment, int outputFd = -1,
               int childFd = -1);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }
  bool Running();
  // Waits for the program to end by itself: its exit status (-1 when a
  // signal ended it), or nothing when it still runs after `timeout`.
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
  // SIGTERM, then SIGKILL if it has not ended within a second; waits for it.
  void Stop();

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  int status_ = 0;  // as waitpid reports it, once reaped
};

struct CommandResult {
  int status = -1;     // exit status, -1 when killed or timed out
  std::string output;  // standard output
  std::string error;   // standard error, for failure messages
};

// Runs a command to its end (killing it after `timeout`) and captures its
// standard output and standard error.
CommandResult RunCommand(const std::vector<std::string>& argv, const Environment& environment,
                         std::chrono::milliseconds timeout = std::chrono::seconds(20));

}  // namespace tintoral::e2e
