#pragma once
// Taking server and item names apart: case folding and splitting at a
// separator, for the link libraries' name parsers.
#include <optional>
#include <string>
#include <vector>

namespace tintoral::linklib {

// ASCII letters in lower case, other bytes unchanged.
std::string Lower(std::string text);
// The parts between separators: one more than there are separators.
std::vector<std::string> Split(const std::string& text, char separator);
// "HOST", "HOST:PORT", "[ADDRESS]" or "[ADDRESS]:PORT": the host, and the
// text after its ':' (none without one); false with `error` when a bracket
// is not closed.
bool SplitHost(const std::string& text, std::string& host, std::optional<std::string>& port, std::string& error);

}  // namespace tintoral::linklib
