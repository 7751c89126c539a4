#include "linklib/NameParts.h"

#include <cctype>

namespace tintoral::linklib {

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == separator) parts.emplace_back();
    else parts.back() += c;
  }
  return parts;
}

bool SplitHost(const std::string& text, std::string& host, std::optional<std::string>& port, std::string& error) {
  std::size_t hostEnd = text.find(':');
  if (!text.empty() && text.front() == '[') {
    hostEnd = text.find(']');
    if (hostEnd == std::string::npos || (hostEnd + 1 < text.size() && text[hostEnd + 1] != ':')) {
      error = "the bracketed address is not closed";
      return false;
    }
    host = text.substr(1, hostEnd - 1);
    ++hostEnd;
  } else {
    host = text.substr(0, hostEnd);
  }
  port.reset();
  if (hostEnd < text.size()) port = text.substr(hostEnd + 1);
  return true;
}

}  // namespace tintoral::linklib
