#include "platform/graphics/PngDecoder.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/graphics/Bitmap.h"
#include "runtime/Exception.h"

namespace tintoral {
namespace {

// Everything libpng touches while it may longjmp out of a call. It is plain
// data with no destructors, so nothing is skipped when an error unwinds
// through libpng; ReleaseDecodeState frees what it holds afterwards.
struct PngDecodeState {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t position;
  png_structp png;
  png_infop info;
  png_bytep pixels;  // width × height RGBA quadruples, malloc'd
  png_bytepp rows;   // pointers into pixels, malloc'd
  png_uint_32 width;
  png_uint_32 height;
  char message[256];
};

void ReleaseDecodeState(PngDecodeState* state) {
  if (state->png != nullptr) png_destroy_read_struct(&state->png, &state->info, nullptr);
  std::free(state->rows);
  std::free(state->pixels);
  state->rows = nullptr;
  state->pixels = nullptr;
}

struct DecodeStateRelease {
  void operator()(PngDecodeState* state) const { ReleaseDecodeState(state); }
};

void OnPngError(png_structp png, png_const_charp message) {
  auto* state = static_cast<PngDecodeState*>(png_get_error_ptr(png));
  std::snprintf(state->message, sizeof state->message, "%s", message);
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}  // warnings change nothing we show

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* state = static_cast<PngDecodeState*>(png_get_io_ptr(png));
  if (count > state->size - state->position) png_error(png, "unexpected end of data");
  std::memcpy(out, state->data + state->position, count);
  state->position += count;
}

// Asks libpng for 8-bit RGBA rows whatever the stored format.
void RequestRgba8(png_structp png, png_infop info) {
  const png_byte colorType = png_get_color_type(png, info);
  const png_byte bitDepth = png_get_bit_depth(png, info);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_scale_16(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);  // no effect when alpha is already there
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

void* AllocateOrFail(png_structp png, std::size_t bytes) {
  void* memory = std::malloc(bytes);
  if (memory == nullptr) png_error(png, "not enough memory for the image");
  return memory;
}

// Runs libpng over the stream into state->pixels. Returns false with
// state->message set when libpng reports an error. No object with a
// destructor may live in this function: libpng leaves it by longjmp.
bool DecodeIntoState(PngDecodeState* state) {
  state->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, state, OnPngError, OnPngWarning);
  if (state->png == nullptr) {
    std::snprintf(state->message, sizeof state->message, "cannot start the PNG decoder");
    return false;
  }
  state->info = png_create_info_struct(state->png);
  if (state->info == nullptr) {
    std::snprintf(state->message, sizeof state->message, "cannot start the PNG decoder");
    return false;
  }
  if (setjmp(png_jmpbuf(state->png)) != 0) return false;

  png_set_read_fn(state->png, state, ReadFromMemory);
  png_set_user_limits(state->png, kMaxPngSide, kMaxPngSide);
  png_read_info(state->png, state->info);
  RequestRgba8(state->png, state->info);

  state->width = png_get_image_width(state->png, state->info);
  state->height = png_get_image_height(state->png, state->info);
  if (static_cast<std::int64_t>(state->width) * state->height > kMaxBitmapPixels) {
    char why[128];  // refused before any pixel memory is taken
    std::snprintf(why, sizeof why, "%u x %u pixels is more than the largest bitmap holds (%lld pixels)",
                  static_cast<unsigned>(state->width), static_cast<unsigned>(state->height),
                  static_cast<long long>(kMaxBitmapPixels));
    png_error(state->png, why);
  }
  const std::size_t rowBytes = png_get_rowbytes(state->png, state->info);
  if (rowBytes != static_cast<std::size_t>(state->width) * 4) png_error(state->png, "unexpected row layout");

  state->pixels = static_cast<png_bytep>(AllocateOrFail(state->png, rowBytes * state->height));
  state->rows = static_cast<png_bytepp>(AllocateOrFail(state->png, sizeof(png_bytep) * state->height));
  for (png_uint_32 y = 0; y < state->height; ++y) state->rows[y] = state->pixels + y * rowBytes;
  png_read_image(state->png, state->rows);
  png_read_end(state->png, nullptr);
  return true;
}

// One colour channel of a pixel with coverage `alpha` over white.
std::uint32_t OverWhite(std::uint32_t channel, std::uint32_t alpha) {
  return (channel * alpha + 255 * (255 - alpha) + 127) / 255;
}

void CopyToBitmap(const PngDecodeState& state, TBitmap& bitmap) {
  const int width = static_cast<int>(state.width);
  const int height = static_cast<int>(state.height);
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    const png_byte* in = state.rows[y];
    std::uint32_t* out = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x, in += 4) {
      const std::uint32_t alpha = in[3];
      out[x] = 0xFF000000u | OverWhite(in[0], alpha) << 16 | OverWhite(in[1], alpha) << 8 | OverWhite(in[2], alpha);
    }
  }
  bitmap.Changed();
}

}  // namespace

void DecodePng(const std::uint8_t* data, std::size_t size, TBitmap& bitmap) {
  constexpr std::size_t kSignatureSize = 8;
  if (data == nullptr || size < kSignatureSize || png_sig_cmp(data, 0, kSignatureSize) != 0) {
    throw GraphicsError("Not a PNG image");
  }
  PngDecodeState state{};
  state.data = data;
  state.size = size;
  const bool decoded = DecodeIntoState(&state);
  const std::unique_ptr<PngDecodeState, DecodeStateRelease> release(&state);
  if (!decoded) throw GraphicsError(std::string("PNG image is damaged: ") + state.message);
  CopyToBitmap(state, bitmap);
}

}  // namespace tintoral
