#pragma once
// Test helpers: environment variables changed for one scope, and a locale
// whose decimal separator is the comma.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "system/Locale.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace tintoral::testing_support {

// Runs a locale lookup with the leak checker looking away: while LOCPATH is
// set, glibc loses a few bytes in every newlocale call.
template <typename Lookup>
auto WithoutLeakChecks(Lookup lookup) {
#if defined(__SANITIZE_ADDRESS__)
  struct Pause {
    Pause() { __lsan_disable(); }
    ~Pause() { __lsan_enable(); }
  } pause;
#endif
  return lookup();
}

// Sets environment variables and restores them when destroyed.
class EnvironmentScope {
 public:
  EnvironmentScope() = default;
  EnvironmentScope(const EnvironmentScope&) = delete;
  EnvironmentScope& operator=(const EnvironmentScope&) = delete;

  void Set(const char* name, const char* value) {
    if (!saved_.count(name)) {
      const char* old = std::getenv(name);
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~EnvironmentScope() {
    for (const auto& [name, value] : saved_) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

// The German locale "de_DE.UTF-8": the installed one, or else one compiled
// with localedef into a temporary folder that LOCPATH points to while this
// object lives. Available() is false when neither works.
class CommaLocale {
 public:
  static constexpr const char* kName = "de_DE.UTF-8";

  CommaLocale() {
    if (DecimalSeparatorOfLocale(kName)) return;
    folder_ = std::filesystem::temp_directory_path() / ("tintoral-locale-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_);
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + (folder_ / "de_DE.utf8").string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) == 0) environment_.Set("LOCPATH", folder_.c_str());
  }
  ~CommaLocale() {
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  bool Available() const {
    return WithoutLeakChecks([] { return DecimalSeparatorOfLocale(kName); }).has_value();
  }

 private:
  EnvironmentScope environment_;
  std::filesystem::path folder_;
};

}  // namespace tintoral::testing_support
