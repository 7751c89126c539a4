#pragma once
// PNG encoding through libpng: a bitmap's pixels as an 8-bit RGB truecolour
// PNG, not interlaced, without gamma, colour-profile or time chunks, so that
// the same pixels always give the same bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace tintoral {

class TBitmap;

// The PNG stream of the bitmap's pixels. Raises GraphicsError for an empty
// bitmap, which PNG cannot hold, or when libpng reports an error.
std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap);

// Writes EncodePng(bitmap) to a file, through a temporary file in the same
// folder that is renamed over it. Raises FileError "Cannot write <path>"
// when the file cannot be created or written completely; the target is then
// left as it was and the temporary file removed.
void SavePng(const TBitmap& bitmap, const std::string& path);

}  // namespace tintoral
