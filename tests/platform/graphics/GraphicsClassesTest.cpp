#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/graphics/GraphicsClasses.h"
#include "runtime/ClassBuilder.h"
#include "runtime/ClassRegistry.h"
#include "runtime/Component.h"
#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

namespace tintoral {
namespace {

// A component holding one of each graphics object and a colour.
class TColorBox : public TComponent {
  TINTORAL_CLASS(TColorBox, TComponent)

 public:
  explicit TColorBox(TComponent* owner) : TComponent(owner) {}

  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  TFont& Font() { return font_; }
  void SetFont(const TFont& value) { font_.Assign(value); }
  TPen* Pen() { return &pen_; }
  TBrush* Brush() { return &brush_; }
  TBitmap* Glyph() { return &glyph_; }

 private:
  TColor color_ = clBtnFace;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  TBitmap glyph_;
};

const TClassInfo& TColorBox::StaticClass() {
  static const TClassInfo info = DescribeClass<TColorBox>("TColorBox", TComponent::StaticClass(), [](auto& b) {
    b.Property("Color", &TColorBox::Color, &TColorBox::SetColor).Default(clBtnFace).TypeName(kColorTypeName);
    b.Object("Font", &TColorBox::Font, &TColorBox::SetFont);
    b.Object("Pen", &TColorBox::Pen);
    b.Object("Brush", &TColorBox::Brush);
    b.Object("Glyph", &TColorBox::Glyph);
  });
  return info;
}

class GraphicsClasses : public testing::Test {
 protected:
  void SetUp() override { RegisterComponentClass<TColorBox>(); }
};

TEST_F(GraphicsClasses, PublishedPropertiesOfFontPenAndBrush) {
  std::string names;
  for (const TPropertyInfo* p : TFont::StaticClass().Properties()) names += p->Name() + " ";
  EXPECT_EQ(names, "Charset Color Height Name Size Style ");
  TFont font;
  EXPECT_FALSE(TFont::StaticClass().FindProperty("Size")->IsStored(font));
  EXPECT_EQ(TFont::StaticClass().FindProperty("Style")->Kind(), tkSet);
  EXPECT_EQ(TFont::StaticClass().FindProperty("Style")->EnumType()->NameOf(3), "fsStrikeOut");
  EXPECT_EQ(TPen::StaticClass().FindProperty("Mode")->EnumType()->NameOf(pmXor), "pmXor");
  EXPECT_EQ(TPen::StaticClass().FindProperty("Width")->OrdinalDefault(), 1);
  EXPECT_EQ(TBrush::StaticClass().FindProperty("Style")->EnumType()->ValueOf("bsClear"), bsClear);
  EXPECT_TRUE(TBitmap::StaticClass().Properties().empty());
  EXPECT_NE(TBitmap::StaticClass().FindStreamProperty("Data"), nullptr);
}

TEST_F(GraphicsClasses, ComponentWithFontAndColourIdentifiersRoundTrips) {
  TColorBox box(nullptr);
  box.SetName("Box");
  box.SetColor(clRed);
  box.Font().SetName("Arial");
  box.Font().SetHeight(-16);
  box.Font().SetColor(clMaroon);
  box.Font().SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsItalic));
  box.Font().SetCharset(ANSI_CHARSET);
  box.Pen()->SetMode(pmXor);
  box.Pen()->SetColor(RGB(1, 2, 3));
  box.Brush()->SetColor(clBtnShadow);
  const std::string text = WriteComponentText(box);
  EXPECT_EQ(text,
            "object Box: TColorBox\n"
            "  Color = clRed\n"
            "  Font.Charset = ANSI_CHARSET\n"
            "  Font.Color = clMaroon\n"
            "  Font.Height = -16\n"
            "  Font.Name = 'Arial'\n"
            "  Font.Style = [fsBold, fsItalic]\n"
            "  Pen.Color = 197121\n"
            "  Pen.Mode = pmXor\n"
            "  Brush.Color = clBtnShadow\n"
            "end\n");
  std::unique_ptr<TComponent> copy(ReadComponentText(text));
  auto& read = dynamic_cast<TColorBox&>(*copy);
  EXPECT_EQ(read.Color(), clRed);
  EXPECT_EQ(read.Font().Name(), "Arial");
  EXPECT_EQ(read.Font().Height(), -16);
  EXPECT_EQ(read.Font().Style(), FontStyleBit(fsBold) | FontStyleBit(fsItalic));
  EXPECT_EQ(read.Brush()->Color(), clBtnShadow);
  EXPECT_EQ(WriteComponentText(read), text);

  std::unique_ptr<TComponent> numeric(
      ReadComponentText("object B: TColorBox\n  Color = -16777201\n  Font.Color = $FF\n  Pen.Color = $FF000008\nend"));
  EXPECT_EQ(dynamic_cast<TColorBox&>(*numeric).Color(), clBtnFace);
  EXPECT_EQ(dynamic_cast<TColorBox&>(*numeric).Font().Color(), clRed);
  EXPECT_EQ(dynamic_cast<TColorBox&>(*numeric).Pen()->Color(), clWindowText);  // hex spells the 32 bits
}

TEST_F(GraphicsClasses, BitmapPixelsTravelAsBinaryData) {
  TColorBox box(nullptr);
  box.Glyph()->SetSize(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) box.Glyph()->SetPixel(x, y, RGB(x * 80, y * 200, 7));
  const std::string text = WriteComponentText(box);
  EXPECT_NE(text.find("  Glyph.Data = {\n    54424D50030000000200000000000750000"), std::string::npos) << text;
  std::unique_ptr<TComponent> copy(ReadComponentText(text));
  TBitmap& glyph = *dynamic_cast<TColorBox&>(*copy).Glyph();
  ASSERT_EQ(glyph.Width(), 3);
  ASSERT_EQ(glyph.Height(), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(glyph.Pixel(x, y), RGB(x * 80, y * 200, 7));
}

TEST_F(GraphicsClasses, MalformedBitmapDataIsRejectedAndLeavesTheBitmapAlone) {
  TBitmap bitmap(2, 2);
  const auto reject = [&](std::vector<std::uint8_t> data) {
    EXPECT_THROW(BitmapFromStreamData(bitmap, data), StreamError);
    EXPECT_EQ(bitmap.Width(), 2);
  };
  reject({});
  reject({'T', 'B', 'M', 'X', 0, 0, 0, 0, 0, 0, 0, 0});
  reject({'T', 'B', 'M', 'P', 1, 0, 0, 0, 1, 0, 0, 0, 9, 9});                    // one byte short
  reject({'T', 'B', 'M', 'P', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});  // 4G × 4G
  reject({'T', 'B', 'M', 'P', 0, 0x80, 0, 0, 1, 0, 0, 0});                       // 32768 wide
  BitmapFromStreamData(bitmap, {'T', 'B', 'M', 'P', 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_TRUE(bitmap.Empty());
  std::unique_ptr<TComponent> box;
  EXPECT_THROW(box.reset(ReadComponentText("object B: TColorBox\n  Glyph.Data = {54424D50FFFF}\nend")), StreamError);
}

}  // namespace
}  // namespace tintoral
