#include "tests/e2e/support/Process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace tintoral::e2e {
namespace {

using Clock = std::chrono::steady_clock;

// This process's environment with the given entries added or replaced.
std::vector<std::string> MergedEnvironment(const Environment& extra) {
  std::map<std::string, std::string> entries;
  const auto add = [&](const std::string& entry) {
    const auto eq = entry.find('=');
    entries[entry.substr(0, eq)] = entry;
  };
  for (char** e = environ; *e; ++e) add(*e);
  for (const std::string& entry : extra) add(entry);
  std::vector<std::string> merged;
  for (auto& [name, entry] : entries) merged.push_back(entry);
  return merged;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

class FileActions {
 public:
  FileActions() { posix_spawn_file_actions_init(&actions_); }
  ~FileActions() { posix_spawn_file_actions_destroy(&actions_); }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;
  posix_spawn_file_actions_t* Get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

pid_t Spawn(std::vector<std::string> argv, const Environment& environment, FileActions& actions) {
  std::vector<std::string> env = MergedEnvironment(environment);
  std::vector<char*> args = Pointers(argv), envp = Pointers(env);
  pid_t pid = -1;
  const int error = posix_spawnp(&pid, args[0], actions.Get(), nullptr, args.data(), envp.data());
  if (error != 0) throw std::runtime_error("Cannot start " + argv[0] + ": " + std::strerror(error));
  return pid;
}

// Waits for the child up to `timeout`; true when it ended (its status stored).
bool WaitFor(pid_t pid, Clock::duration timeout, int& status) {
  const auto deadline = Clock::now() + timeout;
  do {
    if (waitpid(pid, &status, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (Clock::now() < deadline);
  return false;
}

// A pipe whose ends are closed on destruction, neither inherited by children.
struct Pipe {
  int readEnd = -1, writeEnd = -1;
  Pipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("Cannot create a pipe");
    readEnd = fds[0];
    writeEnd = fds[1];
  }
  ~Pipe() {
    if (readEnd >= 0) close(readEnd);
    CloseWriteEnd();
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  void CloseWriteEnd() {
    if (writeEnd >= 0) close(writeEnd);
    writeEnd = -1;
  }
};

// Reads both pipes to their ends; false when `deadline` passes first.
bool ReadBoth(Pipe& first, std::string& firstText, Pipe& second, std::string& secondText, Clock::time_point deadline) {
  pollfd fds[2] = {{first.readEnd, POLLIN, 0}, {second.readEnd, POLLIN, 0}};
  std::string* texts[2] = {&firstText, &secondText};
  while (fds[0].fd >= 0 || fds[1].fd >= 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    if (poll(fds, 2, static_cast<int>(left)) <= 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) texts[i]->append(buffer, static_cast<std::size_t>(n));
      else fds[i].fd = -1;  // poll skips negative descriptors
    }
  }
  return true;
}

}  // namespace

bool ProgramExists(const std::string& program) {
  if (program.find('/') != std::string::npos) return access(program.c_str(), X_OK) == 0;
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  for (std::size_t start = 0; start <= dirs.size();) {
    const std::size_t end = std::min(dirs.find(':', start), dirs.size());
    if (access((dirs.substr(start, end - start) + "/" + program).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const Environment& environment, int outputFd,
                           int childFd) {
  FileActions actions;
  posix_spawn_file_actions_addopen(actions.Get(), STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(actions.Get(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  if (outputFd >= 0) posix_spawn_file_actions_adddup2(actions.Get(), outputFd, childFd);
  pid_ = Spawn(argv, environment, actions);
}

ChildProcess::~ChildProcess() { Stop(); }

bool ChildProcess::Running() {
  if (reaped_) return false;
  if (waitpid(pid_, &status_, WNOHANG) == pid_) reaped_ = true;
  return !reaped_;
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
  if (!reaped_ && !WaitFor(pid_, timeout, status_)) return std::nullopt;
  reaped_ = true;
  return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

void ChildProcess::Stop() {
  if (!Running()) return;
  int status = 0;
  kill(pid_, SIGTERM);
  if (!WaitFor(pid_, std::chrono::seconds(1), status)) {
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
  }
  reaped_ = true;
}

CommandResult RunCommand(const std::vector<std::string>& argv, const Environment& environment,
                         std::chrono::milliseconds timeout) {
  Pipe output, error;
  FileActions actions;
  posix_spawn_file_actions_adddup2(actions.Get(), output.writeEnd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(actions.Get(), error.writeEnd, STDERR_FILENO);
  const pid_t pid = Spawn(argv, environment, actions);
  output.CloseWriteEnd();
  error.CloseWriteEnd();
  CommandResult result;
  const bool timedOut = !ReadBoth(output, result.output, error, result.error, Clock::now() + timeout);
  int status = 0;
  if (timedOut) kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  result.status = !timedOut && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace tintoral::e2e
