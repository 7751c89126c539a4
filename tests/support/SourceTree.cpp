#include "tests/support/SourceTree.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tintoral::test {

std::string SourceFileText(const std::string& relative) {
  const std::string path = std::string(TINTORAL_SOURCE_DIR) + "/" + relative;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tintoral::test
