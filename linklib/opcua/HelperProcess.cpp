#include "linklib/opcua/HelperProcess.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

extern char** environ;

namespace tintoral::opcua {
namespace {

bool SocketPair(int (&ends)[2]) { return socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) == 0; }

void CloseIfOpen(int& descriptor) {
  if (descriptor >= 0) close(descriptor);
  descriptor = -1;
}

}  // namespace

HelperProcess::~HelperProcess() {
  Stop(0);
  Close();
}

bool HelperProcess::Start(const std::string& program, const std::vector<std::string>& arguments, std::string& error) {
  int in[2] = {-1, -1};
  int out[2] = {-1, -1};
  if (!SocketPair(in) || !SocketPair(out)) {
    error = std::string("socketpair: ") + std::strerror(errno);
    for (int descriptor : {in[0], in[1], out[0], out[1]})
      if (descriptor >= 0) close(descriptor);
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[1], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  // The child starts with default signal dispositions and an empty mask.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigset_t all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  std::vector<std::string> words = {program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  const int result = posix_spawnp(&pid_, program.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(in[1]);
  close(out[1]);
  if (result != 0) {
    pid_ = -1;
    close(in[0]);
    close(out[0]);
    error = "cannot start " + program + ": " + std::strerror(result);
    return false;
  }
  input_ = in[0];
  output_ = out[0];
  pending_.clear();
  return true;
}

bool HelperProcess::Write(const std::string& text) {
  constexpr int kFullInputCheckMilliseconds = 250;
  std::size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = send(input_, text.data() + written, text.size() - written, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      // A busy helper reads again; a stopped one never does by itself.
      if (Stopped()) return false;
      pollfd room{input_, POLLOUT, 0};
      poll(&room, 1, kFullInputCheckMilliseconds);
      continue;
    }
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

// The state letter follows the command name in parentheses, which may hold
// any character: it is read after the last ')'.
bool HelperProcess::Stopped() const {
  if (pid_ <= 0) return false;
  std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
  const std::string line((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const std::size_t nameEnd = line.rfind(')');
  if (nameEnd == std::string::npos || nameEnd + 2 >= line.size()) return false;
  const char state = line[nameEnd + 2];
  return state == 'T' || state == 't';
}

bool HelperProcess::ReadLine(std::string& line) {
  for (;;) {
    const std::size_t end = pending_.find('\n', scanned_);
    if (end != std::string::npos) {
      const bool skipped = skipping_;
      if (!skipped) line.assign(pending_, 0, end);
      pending_.erase(0, end + 1);
      scanned_ = 0;
      skipping_ = false;
      if (!skipped) return true;
      continue;
    }
    if (pending_.size() > kLongestLine) {
      if (!skipping_) ++skippedLines_;
      skipping_ = true;
      pending_.clear();
    }
    scanned_ = pending_.size();
    char buffer[4096];
    const ssize_t n = recv(output_, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    pending_.append(buffer, static_cast<std::size_t>(n));
  }
}

void HelperProcess::Stop(int graceMilliseconds) {
  if (pid_ <= 0) return;
  if (input_ >= 0) shutdown(input_, SHUT_WR);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(graceMilliseconds);
  int status = 0;
  while (waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  pid_ = -1;
  // Wakes a reader still blocked on the helper's output.
  if (output_ >= 0) shutdown(output_, SHUT_RDWR);
}

void HelperProcess::Close() {
  CloseIfOpen(input_);
  CloseIfOpen(output_);
}

}  // namespace tintoral::opcua
