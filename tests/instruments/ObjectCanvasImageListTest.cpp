// The object canvas's image list and its "ImageList" stream: a round trip
// through a form stream, and damaged or hostile streams refused cleanly.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "instruments/InstrumentClasses.h"
#include "instruments/ObjectCanvas.h"
#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

namespace tintoral {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Image i of a 3 × 2 list: every pixel its own colour, pixel (i, 0) transparent.
void FillList(TiImageList& list, int count) {
  list.SetSize(3, 2);
  for (int i = 0; i < count; ++i) {
    TBitmap image(3, 2), mask(3, 2);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) {
        image.SetPixel(x, y, static_cast<TColor>(0x102030 * (i + 1) + 0x40 * x + 0x4000 * y));
        mask.SetPixel(x, y, x == i && y == 0 ? clWhite : clBlack);
      }
    list.Add(image, &mask);
  }
}

void ExpectSameImages(const TiImageList& a, const TiImageList& b) {
  ASSERT_EQ(a.Count(), b.Count());
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int i = 0; i < a.Count(); ++i)
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x) {
        EXPECT_EQ(a.Pixel(i, x, y), b.Pixel(i, x, y)) << i << " " << x << "," << y;
        EXPECT_EQ(a.Opaque(i, x, y), b.Opaque(i, x, y)) << i << " " << x << "," << y;
      }
}

TEST(ObjectCanvasImageList, ImagesSurviveAFormStreamAndAnEmptyListIsNotWritten) {
  RegisterInstruments();
  TiObjectCanvas canvas(nullptr);
  canvas.SetName("Panel");
  EXPECT_EQ(WriteComponentText(canvas).find("ImageList ="), std::string::npos);
  FillList(canvas.ImageList(), 3);
  const std::string text = WriteComponentText(canvas);
  EXPECT_NE(text.find("ImageListWidth = 3"), std::string::npos) << text;
  std::unique_ptr<TComponent> loaded(ReadComponentText(text));
  ExpectSameImages(dynamic_cast<TiObjectCanvas&>(*loaded).ImageList(), canvas.ImageList());
}

TEST(ObjectCanvasImageList, ChangingTheSizeRemovesTheImages) {
  TiImageList list;
  FillList(list, 2);
  list.SetWidth(3);
  EXPECT_EQ(list.Count(), 2);
  list.SetWidth(5);
  EXPECT_EQ(list.Count(), 0);
  list.SetSize(0, 5000);  // clamped
  EXPECT_EQ(list.Width(), 1);
  EXPECT_EQ(list.Height(), TiImageList::kMaxSide);
}

void PutU32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

TEST(ObjectCanvasImageList, DamagedStreamsAreRefusedAndLeaveTheListAlone) {
  TiImageList source;
  FillList(source, 2);
  const Bytes good = source.WriteToBytes();
  const std::size_t firstPng = 20;
  struct Case {
    const char* name;
    std::function<void(Bytes&)> damage;
  };
  const Case cases[] = {
      {"empty", [](Bytes& b) { b.clear(); }},
      {"bad magic", [](Bytes& b) { b[0] = 'X'; }},
      {"cut in the header", [](Bytes& b) { b.resize(10); }},
      {"cut in the mask", [](Bytes& b) { b.pop_back(); }},
      {"trailing byte", [](Bytes& b) { b.push_back(0); }},
      {"zero width", [](Bytes& b) { PutU32(b, 4, 0); }},
      {"huge height", [](Bytes& b) { PutU32(b, 8, 0xFFFFFFFF); }},
      {"huge count", [](Bytes& b) { PutU32(b, 12, 0x7FFFFFFF); }},
      {"count disagrees with the strip", [](Bytes& b) { PutU32(b, 12, 3); }},
      {"PNG length past the end", [](Bytes& b) { PutU32(b, 16, 0xFFFFFFF0); }},
      {"not a PNG", [=](Bytes& b) { b[firstPng + 1] = 'Q'; }},
      {"corrupt PNG data", [=](Bytes& b) { b[firstPng + 45] ^= 0x5A; }},
  };
  for (const Case& k : cases) {
    Bytes bytes = good;
    k.damage(bytes);
    TiImageList list;
    FillList(list, 1);
    try {
      list.ReadFromBytes(bytes);
      ADD_FAILURE() << k.name;
    } catch (const StreamError& e) {
      EXPECT_EQ(e.Message(), "Failed to read ImageList data from stream") << k.name;
    }
    EXPECT_EQ(list.Count(), 1) << k.name;
  }
  TiImageList list;
  list.ReadFromBytes(good);
  ExpectSameImages(list, source);
}

TEST(ObjectCanvasImageList, AStripTooWideForOnePictureCannotBeWritten) {
  TiImageList list;
  list.SetSize(TiImageList::kMaxSide, 1);
  const TBitmap image(1, 1);
  for (int i = 0; i <= TiImageList::kMaxStripWidth / TiImageList::kMaxSide; ++i) list.Add(image);
  try {
    list.WriteToBytes();
    ADD_FAILURE();
  } catch (const StreamError& e) {
    EXPECT_EQ(e.Message(), "Failed to write ImageList data to stream");
  }
}

}  // namespace
}  // namespace tintoral
