#include "instruments/opc/ErrorLog.h"

#include <chrono>
#include <cstdio>

namespace tintoral {
namespace {

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void WriteToStandardError(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }

}  // namespace

TiOPCErrorLog::TiOPCErrorLog(Sink sink, Clock clock)
    : sink_(sink ? std::move(sink) : Sink(&WriteToStandardError)), clock_(clock ? std::move(clock) : &SteadySeconds) {}

void TiOPCErrorLog::SetSink(Sink sink) {
  std::lock_guard<std::mutex> guard(lock_);
  sink_ = sink ? std::move(sink) : Sink(&WriteToStandardError);
}

void TiOPCErrorLog::Report(const std::string& source, const std::string& message) {
  std::lock_guard<std::mutex> guard(lock_);
  ++total_;
  const double now = clock_();
  auto [found, isNew] = records_.try_emplace(source);
  Record& record = found->second;
  if (isNew || now - record.lastWritten >= kQuietSeconds) {
    WriteRecord(source, record, message, now);
    return;
  }
  ++record.unwritten;
  record.lastMessage = message;
}

void TiOPCErrorLog::Flush() {
  std::lock_guard<std::mutex> guard(lock_);
  const double now = clock_();
  for (auto& [source, record] : records_)
    if (record.unwritten > 0 && now - record.lastWritten >= kQuietSeconds) {
      --record.unwritten;  // the last one is the line's own message
      WriteRecord(source, record, record.lastMessage, now);
    }
}

std::uint64_t TiOPCErrorLog::Total() const {
  std::lock_guard<std::mutex> guard(lock_);
  return total_;
}

void TiOPCErrorLog::WriteRecord(const std::string& source, Record& record, const std::string& message, double now) {
  std::string line = source + ": " + message;
  if (record.unwritten > 0)
    line += " (and " + std::to_string(record.unwritten) + " more since the last report of this item)";
  sink_(line);
  record.lastWritten = now;
  record.unwritten = 0;
  record.lastMessage.clear();
}

TiOPCErrorLog& OPCErrorLog() {
  // Kept to the end of the process: items may report from static objects' destructors.
  static TiOPCErrorLog* log = new TiOPCErrorLog;
  return *log;
}

}  // namespace tintoral
