#pragma once
// The status functions of the link interface (instruments/opc/LinkLibrary.h)
// hand a text back in a buffer the caller gives: cut to fit, always
// zero-terminated, and the whole text's length returned so that the caller
// can ask again with a buffer large enough.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace tintoral::linklib {

inline std::int32_t CopyStatusText(const std::string& text, char* buffer, std::int32_t size) {
  if (buffer != nullptr && size > 0) {
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
  }
  return static_cast<std::int32_t>(text.size());
}

}  // namespace tintoral::linklib
