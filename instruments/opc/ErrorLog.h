#pragma once
// TiOPCErrorLog: the data link's problems (values that could not be taken,
// writes that could not be made) as lines on a sink, standard error by
// default, without flooding it.
//
// Each source (one item of one instrument) keeps one record: its first
// problem is written at once; later ones within the quiet interval are only
// counted, and the next line for the source, written once the interval has
// passed (at a report or at Flush), says how many came meanwhile and which
// was the last. Memory grows with the number of sources, never with the
// number of problems.
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <unordered_map>

namespace tintoral {

class TiOPCErrorLog {
 public:
  using Sink = std::function<void(const std::string& line)>;
  using Clock = std::function<double()>;  // seconds, from any origin

  static constexpr double kQuietSeconds = 10;

  // Unset sink: standard error; unset clock: the steady clock.
  explicit TiOPCErrorLog(Sink sink = nullptr, Clock clock = nullptr);

  // Where lines go from now on; unset: standard error.
  void SetSink(Sink sink);
  // Any thread.
  void Report(const std::string& source, const std::string& message);
  // Writes the counted problems of every source whose interval has passed.
  void Flush();
  // Every problem reported so far, written or counted.
  std::uint64_t Total() const;

 private:
  struct Record {
    double lastWritten = 0;
    std::uint64_t unwritten = 0;
    std::string lastMessage;
  };
  void WriteRecord(const std::string& source, Record& record, const std::string& message, double now);

  Sink sink_;
  Clock clock_;
  mutable std::mutex lock_;
  std::unordered_map<std::string, Record> records_;
  std::uint64_t total_ = 0;
};

// The process-wide log, writing to standard error.
TiOPCErrorLog& OPCErrorLog();

}  // namespace tintoral
