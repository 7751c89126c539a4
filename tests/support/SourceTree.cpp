#include "tests/support/SourceTree.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tintoral::test {

std::string SourceRoot() { return TINTORAL_SOURCE_DIR; }

std::string SourceFileText(const std::string& relative) {
  const std::string path = SourceRoot() + "/" + relative;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tintoral::test
