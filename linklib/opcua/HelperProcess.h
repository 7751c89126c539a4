#pragma once
// The helper process: a program (`node SCRIPT ...`) with its stdin and
// stdout connected to this process through socket pairs (writes never
// raise SIGPIPE) and its stderr shared with ours.
#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

namespace tintoral::opcua {

class HelperProcess {
 public:
  HelperProcess() = default;
  ~HelperProcess();
  HelperProcess(const HelperProcess&) = delete;
  HelperProcess& operator=(const HelperProcess&) = delete;

  // Starts `program arguments...` (found on PATH); false (with the reason
  // in `error`) when it cannot.
  bool Start(const std::string& program, const std::vector<std::string>& arguments, std::string& error);
  pid_t Pid() const { return pid_; }

  // Writes all of `text`; false when the helper no longer reads: it has
  // closed its input, or it is stopped while its input is full.
  bool Write(const std::string& text);
  // Whether the helper is stopped (SIGSTOP, or held by a debugger).
  bool Stopped() const;
  // A line longer than this is no line of the protocol: it is skipped as it
  // arrives, so a helper gone wrong cannot fill the memory.
  static constexpr std::size_t kLongestLine = 1 << 20;

  // Blocks until a whole line arrives (returned without its line feed);
  // false at the end of the helper's output. Counts the lines skipped as
  // too long in SkippedLines().
  bool ReadLine(std::string& line);
  std::size_t SkippedLines() const { return skippedLines_; }

  // Ends the helper's input, which asks it to finish; then waits up to
  // `graceMilliseconds` for it to exit and kills it if it has not. Reads
  // blocked in ReadLine return false.
  void Stop(int graceMilliseconds);
  // Closes our ends once no thread reads or writes them any more.
  void Close();

 private:
  pid_t pid_ = -1;
  int input_ = -1;   // our end of the helper's stdin
  int output_ = -1;  // our end of the helper's stdout
  std::string pending_;
  std::size_t scanned_ = 0;  // bytes of pending_ known to hold no line feed
  bool skipping_ = false;    // inside a line that is too long
  std::size_t skippedLines_ = 0;
};

}  // namespace tintoral::opcua
