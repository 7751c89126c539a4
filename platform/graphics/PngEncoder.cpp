#include "platform/graphics/PngEncoder.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

// Everything libpng touches while it may longjmp out of a call: plain data
// without destructors, released by ReleaseEncodeState afterwards.
struct PngEncodeState {
  png_structp png;
  png_infop info;
  png_bytep row;  // one row of RGB triples, malloc'd
  std::uint8_t* out;
  std::size_t outSize;
  std::size_t outCapacity;
  bool outOfMemory;
  char message[256];
};

void ReleaseEncodeState(PngEncodeState* state) {
  if (state->png != nullptr) png_destroy_write_struct(&state->png, &state->info);
  std::free(state->row);
  std::free(state->out);
  state->row = nullptr;
  state->out = nullptr;
}

struct EncodeStateRelease {
  void operator()(PngEncodeState* state) const { ReleaseEncodeState(state); }
};

void OnPngError(png_structp png, png_const_charp message) {
  auto* state = static_cast<PngEncodeState*>(png_get_error_ptr(png));
  std::snprintf(state->message, sizeof state->message, "%s", message);
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void AppendToState(png_structp png, png_bytep data, png_size_t length) {
  auto* state = static_cast<PngEncodeState*>(png_get_io_ptr(png));
  if (length > state->outCapacity - state->outSize) {
    std::size_t capacity = state->outCapacity ? state->outCapacity : 4096;
    while (capacity - state->outSize < length) capacity *= 2;
    auto* grown = static_cast<std::uint8_t*>(std::realloc(state->out, capacity));
    if (grown == nullptr) png_error(png, "not enough memory for the PNG stream");
    state->out = grown;
    state->outCapacity = capacity;
  }
  std::memcpy(state->out + state->outSize, data, length);
  state->outSize += length;
}

void FlushNothing(png_structp) {}

// One row of 0xFFRRGGBB words as RGB bytes.
void PackRow(const std::uint32_t* pixels, int width, png_bytep row) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t p = pixels[x];
    row[3 * x] = static_cast<png_byte>(p >> 16);
    row[3 * x + 1] = static_cast<png_byte>(p >> 8);
    row[3 * x + 2] = static_cast<png_byte>(p);
  }
}

// Runs libpng over the bitmap into state->out. Returns false with
// state->message set when libpng reports an error. No object with a
// destructor lives in this frame, as libpng longjmps out of it.
bool RunEncoder(const TBitmap& bitmap, PngEncodeState* state) {
  state->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, state, OnPngError, OnPngWarning);
  if (state->png == nullptr) {
    std::snprintf(state->message, sizeof state->message, "cannot start libpng");
    return false;
  }
  if (setjmp(png_jmpbuf(state->png))) return false;
  state->info = png_create_info_struct(state->png);
  if (state->info == nullptr) png_error(state->png, "cannot start libpng");
  const int width = bitmap.Width(), height = bitmap.Height();
  state->row = static_cast<png_bytep>(std::malloc(static_cast<std::size_t>(width) * 3));
  if (state->row == nullptr) png_error(state->png, "not enough memory for the image");
  png_set_write_fn(state->png, state, AppendToState, FlushNothing);
  png_set_IHDR(state->png, state->info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(state->png, state->info);
  for (int y = 0; y < height; ++y) {
    PackRow(bitmap.ScanLine(y), width, state->row);
    png_write_row(state->png, state->row);
  }
  png_write_end(state->png, state->info);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap) {
  if (bitmap.Empty()) throw GraphicsError("Cannot encode an empty bitmap as PNG");
  PngEncodeState state{};
  std::unique_ptr<PngEncodeState, EncodeStateRelease> release(&state);
  if (!RunEncoder(bitmap, &state)) throw GraphicsError(std::string("PNG encoding failed: ") + state.message);
  return std::vector<std::uint8_t>(state.out, state.out + state.outSize);
}

namespace {

bool WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t count = write(fd, bytes.data() + done, bytes.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    done += static_cast<std::size_t>(count);
  }
  return true;
}

}  // namespace

void SavePng(const TBitmap& bitmap, const std::string& path) {
  const std::vector<std::uint8_t> bytes = EncodePng(bitmap);
  // Written beside the target and renamed over it, so that a failure leaves
  // no half-written file and the target keeps what it held before.
  static std::atomic<unsigned> serial{0};
  const std::string temporary = path + ".tmp" + std::to_string(getpid()) + "-" + std::to_string(serial++);
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) throw FileError("Cannot write " + path);
  const bool written = WriteAll(fd, bytes);
  const bool closed = close(fd) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    throw FileError("Cannot write " + path);
  }
}

}  // namespace tintoral
