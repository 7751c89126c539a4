// Run-time classes of the graphics objects.
#include "platform/graphics/GraphicsClasses.h"

#include "runtime/ClassBuilder.h"
#include "runtime/Exception.h"
#include "runtime/IdentMap.h"

namespace tintoral {
namespace {

constexpr std::uint8_t kBitmapTag[4] = {'T', 'B', 'M', 'P'};
constexpr std::size_t kBitmapHeader = 12;

void PutUint32(std::vector<std::uint8_t>& data, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) data.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t GetUint32(const std::vector<std::uint8_t>& data, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | data[at + static_cast<std::size_t>(i)];
  return value;
}

[[noreturn]] void InvalidBitmapData(const std::string& why) { throw StreamError("Invalid bitmap data: " + why); }

const std::vector<std::pair<std::int32_t, std::string>>& CharsetNames() {
  static const std::vector<std::pair<std::int32_t, std::string>> names = {
      {0, "ANSI_CHARSET"},          {1, "DEFAULT_CHARSET"},      {2, "SYMBOL_CHARSET"},    {77, "MAC_CHARSET"},
      {128, "SHIFTJIS_CHARSET"},    {129, "HANGEUL_CHARSET"},    {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},
      {136, "CHINESEBIG5_CHARSET"}, {161, "GREEK_CHARSET"},      {162, "TURKISH_CHARSET"}, {163, "VIETNAMESE_CHARSET"},
      {177, "HEBREW_CHARSET"},      {178, "ARABIC_CHARSET"},     {186, "BALTIC_CHARSET"},  {204, "RUSSIAN_CHARSET"},
      {222, "THAI_CHARSET"},        {238, "EASTEUROPE_CHARSET"}, {255, "OEM_CHARSET"}};
  return names;
}

// The identifiers are there as soon as the library is: form streams may be
// read before any graphics object is made.
struct IdentRegistration {
  IdentRegistration() { RegisterGraphicsIdents(); }
} identRegistration;

}  // namespace

const TEnumType& EnumTypeOf(TPenStyle) {
  static const TEnumType type("TPenStyle",
                              {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"});
  return type;
}

const TEnumType& EnumTypeOf(TPenMode) {
  static const TEnumType type("TPenMode", {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy",
                                           "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge",
                                           "pmNotMerge", "pmMask", "pmNotMask", "pmXor", "pmNotXor"});
  return type;
}

const TEnumType& EnumTypeOf(TBrushStyle) {
  static const TEnumType type("TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                              "bsBDiagonal", "bsCross", "bsDiagCross"});
  return type;
}

const TEnumType& EnumTypeOf(TFontStyle) {
  static const TEnumType type("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
  return type;
}

void RegisterGraphicsIdents() {
  RegisterIntegerIdents(kColorTypeName, ColorToIdent, IdentToColor);
  RegisterIntegerIdents(kFontCharsetTypeName, CharsetNames());
}

std::vector<std::uint8_t> BitmapToStreamData(const TBitmap& bitmap) {
  const int width = bitmap.Empty() ? 0 : bitmap.Width();
  const int height = bitmap.Empty() ? 0 : bitmap.Height();
  std::vector<std::uint8_t> data(std::begin(kBitmapTag), std::end(kBitmapTag));
  PutUint32(data, static_cast<std::uint32_t>(width));
  PutUint32(data, static_cast<std::uint32_t>(height));
  data.reserve(kBitmapHeader + 3 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      data.push_back(static_cast<std::uint8_t>(row[x] >> 16));
      data.push_back(static_cast<std::uint8_t>(row[x] >> 8));
      data.push_back(static_cast<std::uint8_t>(row[x]));
    }
  }
  return data;
}

void BitmapFromStreamData(TBitmap& bitmap, const std::vector<std::uint8_t>& data) {
  if (data.size() < kBitmapHeader || !std::equal(std::begin(kBitmapTag), std::end(kBitmapTag), data.begin()))
    InvalidBitmapData("unknown format");
  const std::uint32_t width = GetUint32(data, 4);
  const std::uint32_t height = GetUint32(data, 8);
  const std::uint64_t pixels = std::uint64_t{width} * height;
  if (width > kMaxBitmapSide || height > kMaxBitmapSide || pixels > kMaxBitmapPixels)
    InvalidBitmapData("size out of range");
  if (data.size() - kBitmapHeader != 3 * pixels) InvalidBitmapData("length does not match the size");
  bitmap.SetSize(static_cast<int>(width), static_cast<int>(height));
  const std::uint8_t* source = data.data() + kBitmapHeader;
  for (std::uint32_t y = 0; y < height; ++y) {
    std::uint32_t* row = bitmap.ScanLine(static_cast<int>(y));
    for (std::uint32_t x = 0; x < width; ++x, source += 3)
      row[x] = 0xFF000000u | std::uint32_t{source[0]} << 16 | std::uint32_t{source[1]} << 8 | source[2];
  }
  bitmap.Changed();
}

const TClassInfo& TPen::StaticClass() {
  static const TClassInfo info = DescribeClass<TPen>("TPen", TPersistent::StaticClass(), [](auto& b) {
    b.Property("Color", &TPen::Color, &TPen::SetColor).Default(clBlack).TypeName(kColorTypeName);
    b.Property("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
    b.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
    b.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
  });
  return info;
}

const TClassInfo& TBrush::StaticClass() {
  static const TClassInfo info = DescribeClass<TBrush>("TBrush", TPersistent::StaticClass(), [](auto& b) {
    b.Property("Color", &TBrush::Color, &TBrush::SetColor).Default(clWhite).TypeName(kColorTypeName);
    b.Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
  });
  return info;
}

const TClassInfo& TFont::StaticClass() {
  static const TClassInfo info = DescribeClass<TFont>("TFont", TPersistent::StaticClass(), [](auto& b) {
    b.Property("Charset", &TFont::Charset, &TFont::SetCharset).Default(DEFAULT_CHARSET).TypeName(kFontCharsetTypeName);
    b.Property("Color", &TFont::Color, &TFont::SetColor).Default(clWindowText).TypeName(kColorTypeName);
    b.Property("Height", &TFont::Height, &TFont::SetHeight);
    b.Property("Name", &TFont::Name, &TFont::SetName);
    b.Property("Size", &TFont::Size, &TFont::SetSize).Stored(false);
    b.Set("Style", &TFont::Style, &TFont::SetStyle, EnumTypeOf(fsBold));
  });
  return info;
}

const TClassInfo& TBitmap::StaticClass() {
  static const TClassInfo info = DescribeClass<TBitmap>("TBitmap", TPersistent::StaticClass(), [](auto& b) {
    b.BinaryProperty("Data", &BitmapFromStreamData, &BitmapToStreamData,
                     [](const TBitmap& bitmap) { return !bitmap.Empty(); });
  });
  return info;
}

}  // namespace tintoral
