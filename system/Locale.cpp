#include "system/Locale.h"

#include <langinfo.h>
#include <locale.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace tintoral {
namespace {

// 0 while no ScopedDecimalSeparator is alive.
std::atomic<char> overrideSeparator{0};

char SeparatorFromEnvironment() {
  const std::string name = NumericLocaleName();
  if (name.empty()) return '.';
  return DecimalSeparatorOfLocale(name).value_or('.');
}

}  // namespace

std::string NumericLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

std::optional<char> DecimalSeparatorOfLocale(const std::string& localeName) {
  locale_t locale = newlocale(LC_NUMERIC_MASK, localeName.c_str(), locale_t{});
  if (locale == locale_t{}) return std::nullopt;
  const char* radix = nl_langinfo_l(RADIXCHAR, locale);
  std::optional<char> separator;
  if (radix != nullptr && std::strlen(radix) == 1) separator = radix[0];
  freelocale(locale);
  return separator;
}

char DecimalSeparator() {
  const char forced = overrideSeparator.load(std::memory_order_acquire);
  if (forced != 0) return forced;
  static const char fromEnvironment = SeparatorFromEnvironment();
  return fromEnvironment;
}

ScopedDecimalSeparator::ScopedDecimalSeparator(char separator)
    : previous_(overrideSeparator.exchange(separator, std::memory_order_acq_rel)) {}

ScopedDecimalSeparator::~ScopedDecimalSeparator() { overrideSeparator.store(previous_, std::memory_order_release); }

}  // namespace tintoral
