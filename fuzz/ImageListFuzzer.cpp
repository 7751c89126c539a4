// Feeds arbitrary bytes to the object canvas's "ImageList" stream reader.
// A refusal must be StreamError with the one read-failure message and must
// leave the list as it was; an accepted stream must write back to bytes
// that read in again to the same images. Anything else is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "instruments/ObjectCanvasImageList.h"
#include "runtime/Exception.h"

using namespace tintoral;

namespace {

bool SameImages(const TiImageList& a, const TiImageList& b) {
  if (a.Count() != b.Count() || a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int i = 0; i < a.Count(); ++i)
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x)
        if (a.Pixel(i, x, y) != b.Pixel(i, x, y) || a.Opaque(i, x, y) != b.Opaque(i, x, y)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  TiImageList list;
  list.SetSize(2, 3);
  try {
    list.ReadFromBytes(bytes);
  } catch (const StreamError& e) {
    if (e.Message() != "Failed to read ImageList data from stream" || list.Width() != 2 || list.Height() != 3 ||
        list.Count() != 0)
      std::abort();
    return 0;
  }
  TiImageList again;
  again.ReadFromBytes(list.WriteToBytes());
  if (!SameImages(list, again)) std::abort();
  return 0;
}
