#include "tests/e2e/support/TemporaryPng.h"

#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "platform/graphics/PngDecoder.h"

namespace tintoral::e2e {

TemporaryPng::TemporaryPng() {
  char path[] = "/tmp/e2e-shot-XXXXXX.png";
  const int fd = mkstemps(path, 4);  // the tools write only names ending in .png
  if (fd < 0) throw std::runtime_error("Cannot create a temporary file");
  close(fd);
  path_ = path;
}

TemporaryPng::~TemporaryPng() { unlink(path_.c_str()); }

void TemporaryPng::Decode(TBitmap& into) const {
  std::ifstream in(path_, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot read " + path_);
  const std::vector<std::uint8_t> png{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  DecodePng(png.data(), png.size(), into);
}

}  // namespace tintoral::e2e
