#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"
#include "runtime/ClassBuilder.h"
#include "runtime/ClassRegistry.h"
#include "runtime/Component.h"
#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

namespace tintoral {
namespace {

using Bytes = TPicture::Bytes;

// A PNG stream of a w × h image whose pixel (x, y) is RGB(x, y, 7), encoded by Qt.
Bytes MakePng(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 7));
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return Bytes(encoded.begin(), encoded.end());
}

Bytes WithName(const std::string& name, const Bytes& graphic) {
  Bytes data(1 + name.size() + graphic.size());
  data[0] = static_cast<std::uint8_t>(name.size());
  std::copy(graphic.begin(), graphic.end(), std::copy(name.begin(), name.end(), data.begin() + 1));
  return data;
}

// A component holding a picture, as an image control does.
class PictureHolder : public TComponent {
  TINTORAL_CLASS(PictureHolder, TComponent)

 public:
  explicit PictureHolder(TComponent* owner) : TComponent(owner) {}
  TPicture& Picture() { return picture_; }
  void SetPicture(const TPicture& value) { picture_.Assign(value); }

 private:
  TPicture picture_;
};

const TClassInfo& PictureHolder::StaticClass() {
  static const TClassInfo info = DescribeClass<PictureHolder>("PictureHolder", TComponent::StaticClass(), [](auto& b) {
    b.Object("Picture", &PictureHolder::Picture, &PictureHolder::SetPicture);
  });
  return info;
}

TEST(PictureTest, PngIsDecodedAndItsBytesSurviveTheStreamData) {
  const Bytes png = MakePng(12, 5);
  TPicture picture;
  int changes = 0;
  picture.SetOnChange([&] { ++changes; });
  picture.LoadFromPng(png);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(picture.Kind(), TGraphicKind::Png);
  EXPECT_EQ(picture.GraphicClassName(), "TPngGraphic");
  EXPECT_EQ(picture.Width(), 12);
  EXPECT_EQ(picture.Height(), 5);
  EXPECT_EQ(picture.Graphic()->Pixel(11, 4), RGB(11, 4, 7));

  const Bytes data = PictureToStreamData(picture);
  EXPECT_EQ(data, WithName("TPngGraphic", png));
  TPicture copy;
  PictureFromStreamData(copy, data);
  EXPECT_EQ(copy.PngBytes(), png);
  EXPECT_EQ(PictureToStreamData(copy), data);
}

TEST(PictureTest, BitmapGraphicStreamsAsBitmapData) {
  TBitmap bitmap(3, 2);
  bitmap.SetPixel(2, 1, clRed);
  TPicture picture;
  picture.SetBitmap(bitmap);
  EXPECT_EQ(picture.Kind(), TGraphicKind::Bitmap);
  const Bytes data = PictureToStreamData(picture);
  ASSERT_GT(data.size(), 8u);
  EXPECT_EQ(std::string(data.begin() + 1, data.begin() + 8), "TBitmap");
  TPicture copy;
  PictureFromStreamData(copy, data);
  EXPECT_EQ(copy.Width(), 3);
  EXPECT_EQ(copy.Height(), 2);
  EXPECT_EQ(copy.Graphic()->Pixel(2, 1), clRed);
  EXPECT_EQ(copy.Graphic()->Pixel(0, 0), clWhite);
}

TEST(PictureTest, MalformedDataIsRefusedAndChangesNothing) {
  const Bytes png = MakePng(4, 4);
  TPicture picture;
  picture.LoadFromPng(png);
  int changes = 0;
  picture.SetOnChange([&] { ++changes; });

  Bytes damaged = png;
  damaged.resize(damaged.size() / 2);
  const std::vector<std::pair<Bytes, std::string>> cases = {
      {{}, "no graphic class name"},
      {{9, 'T', 'B', 'i', 't'}, "no graphic class name"},
      {WithName("TIcon", {1, 2, 3}), "unknown graphic class 'TIcon'"},
      {WithName("TBitmap", {'T', 'B', 'M', 'P', 1, 0, 0, 0, 1, 0, 0, 0}), "length does not match"},
      {WithName("TPngGraphic", damaged), "PNG image is damaged"},
      {WithName("TPngGraphic", {1, 2, 3}), "Not a PNG image"},
  };
  for (const auto& [data, message] : cases) {
    try {
      PictureFromStreamData(picture, data);
      ADD_FAILURE() << "accepted: " << message;
    } catch (const Exception& error) {
      EXPECT_NE(error.Message().find(message), std::string::npos) << error.Message();
      EXPECT_TRUE(dynamic_cast<const StreamError*>(&error) || dynamic_cast<const GraphicsError*>(&error));
    }
  }
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(picture.PngBytes(), png);
  EXPECT_EQ(picture.Width(), 4);
}

TEST(PictureTest, ChangingThePixelsOfAPngMakesItABitmap) {
  TPicture picture;
  picture.LoadFromPng(MakePng(6, 6));
  int changes = 0;
  picture.SetOnChange([&] { ++changes; });

  picture.SetGraphicTransparent(true);  // transparency is how it is shown, not its pixels
  EXPECT_EQ(picture.Kind(), TGraphicKind::Png);
  EXPECT_TRUE(picture.Graphic()->Transparent());

  picture.Bitmap().Canvas().SetPixel(1, 1, clBlue);
  EXPECT_EQ(picture.Kind(), TGraphicKind::Bitmap);
  EXPECT_TRUE(picture.PngBytes().empty());
  EXPECT_EQ(changes, 2);
  TPicture copy;
  PictureFromStreamData(copy, PictureToStreamData(picture));
  EXPECT_EQ(copy.Graphic()->Pixel(1, 1), clBlue);
}

TEST(PictureTest, EmptyPictureGetsABitmapOnDemand) {
  TPicture picture;
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_EQ(picture.Width(), 0);
  picture.Bitmap().SetSize(5, 3);
  EXPECT_EQ(picture.Kind(), TGraphicKind::Bitmap);
  EXPECT_EQ(picture.Width(), 5);
  picture.Clear();
  EXPECT_TRUE(picture.Empty());
}

TEST(PictureTest, AssignCopiesPicturesAndBitmaps) {
  TPicture png;
  png.LoadFromPng(MakePng(3, 3));
  TPicture copy;
  copy.Assign(png);
  EXPECT_EQ(copy.PngBytes(), png.PngBytes());
  copy.Bitmap().SetPixel(0, 0, clLime);
  EXPECT_EQ(png.Graphic()->Pixel(0, 0), RGB(0, 0, 7));  // a copy, not shared

  TBitmap bitmap;
  bitmap.Assign(copy);
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(bitmap.Pixel(0, 0), clLime);

  TPicture fromBitmap;
  fromBitmap.Assign(bitmap);
  EXPECT_EQ(fromBitmap.Kind(), TGraphicKind::Bitmap);
  EXPECT_EQ(fromBitmap.Graphic()->Pixel(0, 0), clLime);

  fromBitmap.Assign(TPicture());
  EXPECT_TRUE(fromBitmap.Empty());
}

TEST(PictureTest, FormStreamCarriesThePictureData) {
  RegisterComponentClass<PictureHolder>();
  const Bytes png = MakePng(20, 10);
  PictureHolder holder(nullptr);
  holder.SetName("Holder1");
  holder.Picture().LoadFromPng(png);
  const std::string text = WriteComponentText(holder);
  EXPECT_NE(text.find("Picture.Data = {"), std::string::npos);

  std::unique_ptr<TComponent> read(ReadComponentText(text));
  auto& copy = dynamic_cast<PictureHolder&>(*read);
  EXPECT_EQ(copy.Picture().PngBytes(), png);
  EXPECT_EQ(copy.Picture().Width(), 20);

  PictureHolder empty(nullptr);
  EXPECT_EQ(WriteComponentText(empty).find("Picture.Data"), std::string::npos);
  UnregisterComponentClass(PictureHolder::StaticClass());
}

}  // namespace
}  // namespace tintoral
