#pragma once
// Values registered by name, names compared without regard to case, safe to
// use from several threads. The component class registry and the integer
// identifier mappings keep their entries in one.
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Identifiers.h"

namespace tintoral {

template <class Value>
class TNameRegistry {
 public:
  // Copies the value registered under the name; false when there is none.
  bool Find(std::string_view name, Value& value) const {
    std::lock_guard guard(lock_);
    const auto it = byUpperName_.find(UpperCase(name));
    if (it == byUpperName_.end()) return false;
    value = it->second;
    return true;
  }

  // Every value, ordered by name.
  std::vector<Value> Values() const {
    std::lock_guard guard(lock_);
    std::vector<Value> values;
    for (const auto& [upperName, value] : byUpperName_) values.push_back(value);
    return values;
  }

  // Runs `update` on the name's entry, default-constructed when new, under
  // the lock. An exception from `update` leaves a new entry in place.
  template <class Change>
  void Update(std::string_view name, Change&& update) {
    std::lock_guard guard(lock_);
    update(byUpperName_[UpperCase(name)]);
  }

  // Removes the name's entry when `matches` says so of its value.
  template <class Matches>
  void EraseIf(std::string_view name, Matches&& matches) {
    std::lock_guard guard(lock_);
    const auto it = byUpperName_.find(UpperCase(name));
    if (it != byUpperName_.end() && matches(it->second)) byUpperName_.erase(it);
  }

 private:
  mutable std::mutex lock_;
  std::map<std::string, Value, std::less<>> byUpperName_;  // keys in upper case
};

}  // namespace tintoral
