#pragma once
// The user's locale settings that the library needs: the decimal separator
// of displayed and parsed numbers.
#include <optional>
#include <string>

namespace tintoral {

// The decimal separator of the user's numeric locale, taken from the
// environment (LC_ALL, then LC_NUMERIC, then LANG; the first one set and not
// empty wins) without touching the process's global locale. "." when the
// locale is unknown, is not installed, or has a separator that is not one
// byte. Read once and cached; a ScopedDecimalSeparator takes precedence.
char DecimalSeparator();

// The locale name that decides numbers: the first of LC_ALL, LC_NUMERIC and
// LANG that is set and not empty, or "" when none is.
std::string NumericLocaleName();

// The one-byte decimal separator of the named locale; nothing when the
// locale is not installed or its separator is empty or longer than a byte.
std::optional<char> DecimalSeparatorOfLocale(const std::string& localeName);

// Makes DecimalSeparator() return `separator` while the object lives, for
// every thread; the previous setting returns when it is destroyed. Meant for
// tests that must run under both "." and ",". Scopes nest.
class ScopedDecimalSeparator {
 public:
  explicit ScopedDecimalSeparator(char separator);
  ~ScopedDecimalSeparator();
  ScopedDecimalSeparator(const ScopedDecimalSeparator&) = delete;
  ScopedDecimalSeparator& operator=(const ScopedDecimalSeparator&) = delete;

 private:
  char previous_;
};

}  // namespace tintoral
