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
  png_bytep row;  // one row of samples, malloc'd
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

// Where the encoder takes its rows from: `fill` writes row y of `source`
// into a buffer of width * channels bytes.
struct PngRowSource {
  const void* source;
  void (*fill)(const void* source, int y, png_bytep row);
  int width;
  int height;
  int channels;
};

// One bitmap row of 0xFFRRGGBB words as RGB bytes.
void FillBitmapRow(const void* source, int y, png_bytep row) {
  const auto& bitmap = *static_cast<const TBitmap*>(source);
  const std::uint32_t* pixels = bitmap.ScanLine(y);
  for (int x = 0; x < bitmap.Width(); ++x) {
    const std::uint32_t p = pixels[x];
    row[3 * x] = static_cast<png_byte>(p >> 16);
    row[3 * x + 1] = static_cast<png_byte>(p >> 8);
    row[3 * x + 2] = static_cast<png_byte>(p);
  }
}

void FillSampleRow(const void* source, int y, png_bytep row) {
  const auto& samples = *static_cast<const TPngSamples*>(source);
  const std::size_t rowBytes = static_cast<std::size_t>(samples.width) * samples.channels;
  std::memcpy(row, samples.data + static_cast<std::size_t>(y) * rowBytes, rowBytes);
}

void SetChunks(png_structp png, png_infop info, const TPngChunks& chunks) {
  if (chunks.compressionLevel >= 0) png_set_compression_level(png, chunks.compressionLevel);
  if (chunks.srgb) png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
  if (chunks.gamma) png_set_gAMA_fixed(png, info, 45455);
  if (chunks.dotsPerInch96) png_set_pHYs(png, info, 3780, 3780, PNG_RESOLUTION_METER);
}

// Runs libpng over the rows into state->out. Returns false with
// state->message set when libpng reports an error. No object with a
// destructor lives in this frame, as libpng longjmps out of it.
bool RunEncoder(const PngRowSource& rows, const TPngChunks& chunks, PngEncodeState* state) {
  state->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, state, OnPngError, OnPngWarning);
  if (state->png == nullptr) {
    std::snprintf(state->message, sizeof state->message, "cannot start libpng");
    return false;
  }
  if (setjmp(png_jmpbuf(state->png))) return false;
  state->info = png_create_info_struct(state->png);
  if (state->info == nullptr) png_error(state->png, "cannot start libpng");
  state->row = static_cast<png_bytep>(std::malloc(static_cast<std::size_t>(rows.width) * rows.channels));
  if (state->row == nullptr) png_error(state->png, "not enough memory for the image");
  png_set_write_fn(state->png, state, AppendToState, FlushNothing);
  png_set_IHDR(state->png, state->info, static_cast<png_uint_32>(rows.width), static_cast<png_uint_32>(rows.height), 8,
               rows.channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  SetChunks(state->png, state->info, chunks);
  png_write_info(state->png, state->info);
  for (int y = 0; y < rows.height; ++y) {
    rows.fill(rows.source, y, state->row);
    png_write_row(state->png, state->row);
  }
  png_write_end(state->png, state->info);
  return true;
}

std::vector<std::uint8_t> Encode(const PngRowSource& rows, const TPngChunks& chunks) {
  PngEncodeState state{};
  std::unique_ptr<PngEncodeState, EncodeStateRelease> release(&state);
  if (!RunEncoder(rows, chunks, &state)) throw GraphicsError(std::string("PNG encoding failed: ") + state.message);
  return std::vector<std::uint8_t>(state.out, state.out + state.outSize);
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const TBitmap& bitmap) {
  if (bitmap.Empty()) throw GraphicsError("Cannot encode an empty bitmap as PNG");
  return Encode({&bitmap, FillBitmapRow, bitmap.Width(), bitmap.Height(), 3}, TPngChunks());
}

std::vector<std::uint8_t> EncodePng(const TPngSamples& samples, const TPngChunks& chunks) {
  if (samples.data == nullptr || samples.width <= 0 || samples.height <= 0)
    throw GraphicsError("Cannot encode an empty image as PNG");
  if (samples.channels != 3 && samples.channels != 4)
    throw GraphicsError("PNG encoding takes 3 or 4 samples a pixel, not " + std::to_string(samples.channels));
  return Encode({&samples, FillSampleRow, samples.width, samples.height, samples.channels}, chunks);
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

void SavePng(const TBitmap& bitmap, const std::string& path) { SavePngBytes(EncodePng(bitmap), path); }

void SavePngBytes(const std::vector<std::uint8_t>& bytes, const std::string& path) {
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
