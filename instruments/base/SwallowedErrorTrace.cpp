#include "instruments/base/SwallowedErrorTrace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "runtime/Component.h"

namespace tintoral {
namespace {

bool TraceOn() {
  const char* value = std::getenv(kSwallowedErrorTraceVariable);
  return value && *value && std::strcmp(value, "0") != 0;
}

// Lets at most kSwallowedErrorLinesPerSecond lines through in each second
// after the first of them, and counts the others.
class TLineLimiter {
 public:
  // True when a line may be written now; `withheld` is the number held back
  // since the last line let through.
  bool Admit(int& withheld) {
    const auto now = std::chrono::steady_clock::now();
    if (lines_ == 0 || now - windowStart_ >= std::chrono::seconds(1)) {
      windowStart_ = now;
      lines_ = 0;
    }
    if (lines_ == kSwallowedErrorLinesPerSecond) {
      ++withheld_;
      return false;
    }
    ++lines_;
    withheld = withheld_;
    withheld_ = 0;
    return true;
  }

 private:
  std::chrono::steady_clock::time_point windowStart_;
  int lines_ = 0;
  int withheld_ = 0;
};

}  // namespace

void TraceSwallowedError(const TComponent& control, const char* handler, const std::string& message) {
  if (!TraceOn()) return;
  static std::mutex mutex;
  static TLineLimiter limiter;
  const std::lock_guard<std::mutex> lock(mutex);
  int withheld = 0;
  if (!limiter.Admit(withheld)) return;
  if (withheld > 0) std::fprintf(stderr, "tintoral: %d more swallowed errors not shown\n", withheld);
  std::fprintf(stderr, "tintoral: %s (%s) %s swallowed: %s\n", control.Name().c_str(), control.ClassName().c_str(),
               handler, message.c_str());
}

}  // namespace tintoral
