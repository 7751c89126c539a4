#pragma once
// Files of the source tree that tests compare with or build on.
#include <string>

namespace tintoral::test {

// The top of the source tree.
std::string SourceRoot();

// The bytes of a file given relative to the top of the source tree; raises
// std::runtime_error when it cannot be read.
std::string SourceFileText(const std::string& relative);

}  // namespace tintoral::test
