#include "platform/graphics/Picture.h"

#include <algorithm>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsClasses.h"
#include "platform/graphics/PngDecoder.h"
#include "runtime/ClassBuilder.h"
#include "runtime/Exception.h"

namespace tintoral {

const TClassInfo& TPicture::StaticClass() {
  static const TClassInfo info = DescribeClass<TPicture>("TPicture", TPersistent::StaticClass(), [](auto& b) {
    b.BinaryProperty("Data", &PictureFromStreamData, &PictureToStreamData,
                     [](const TPicture& picture) { return !picture.Empty(); });
  });
  return info;
}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

std::string TPicture::GraphicClassName() const {
  switch (kind_) {
    case TGraphicKind::Bitmap: return kBitmapGraphicName;
    case TGraphicKind::Png: return kPngGraphicName;
    case TGraphicKind::None: break;
  }
  return {};
}

int TPicture::Width() const { return Empty() ? 0 : bitmap_->Width(); }

int TPicture::Height() const { return Empty() ? 0 : bitmap_->Height(); }

TBitmap& TPicture::Bitmap() {
  if (Empty()) Adopt(std::make_unique<TBitmap>(), TGraphicKind::Bitmap, {});
  return *bitmap_;
}

void TPicture::LoadFromPng(const Bytes& data) {
  auto decoded = std::make_unique<TBitmap>();
  DecodePng(data.data(), data.size(), *decoded);
  Adopt(std::move(decoded), TGraphicKind::Png, data);
}

void TPicture::SetBitmap(const TBitmap& bitmap) {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(bitmap);
  Adopt(std::move(copy), TGraphicKind::Bitmap, {});
}

void TPicture::SetGraphicTransparent(bool transparent) {
  if (Empty()) return;
  keepKind_ = true;
  bitmap_->SetTransparent(transparent);
  keepKind_ = false;
}

void TPicture::Clear() {
  if (Empty()) return;
  Adopt(nullptr, TGraphicKind::None, {});
}

void TPicture::Assign(const TPersistent& source) {
  if (const auto* picture = dynamic_cast<const TPicture*>(&source)) {
    if (picture == this) return;
    if (picture->Empty()) {
      Clear();
      return;
    }
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(*picture->bitmap_);
    Adopt(std::move(copy), picture->kind_, picture->png_);
  } else if (const auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
    SetBitmap(*bitmap);
  } else {
    TPersistent::Assign(source);
  }
}

void TPicture::AssignTo(TPersistent& dest) const {
  auto* bitmap = dynamic_cast<TBitmap*>(&dest);
  if (!bitmap) {
    TPersistent::AssignTo(dest);
    return;
  }
  if (Empty()) {
    bitmap->SetSize(0, 0);
  } else {
    bitmap->Assign(*bitmap_);
  }
}

void TPicture::Adopt(std::unique_ptr<TBitmap> bitmap, TGraphicKind kind, Bytes png) {
  bitmap_ = std::move(bitmap);
  kind_ = bitmap_ ? kind : TGraphicKind::None;
  png_ = kind_ == TGraphicKind::Png ? std::move(png) : Bytes();
  WatchBitmap();
  Changed();
}

void TPicture::WatchBitmap() {
  if (bitmap_) bitmap_->SetOnChange([this] { BitmapChanged(); });
}

void TPicture::BitmapChanged() {
  if (kind_ == TGraphicKind::Png && !keepKind_) {
    kind_ = TGraphicKind::Bitmap;
    png_.clear();
  }
  Changed();
}

void TPicture::Changed() {
  if (onChange_) onChange_();
}

namespace {

[[noreturn]] void InvalidPictureData(const std::string& why) { throw StreamError("Invalid picture data: " + why); }

}  // namespace

TPicture::Bytes PictureToStreamData(const TPicture& picture) {
  const std::string name = picture.GraphicClassName();
  // Sized up front: GCC 12 warns falsely about inserting into a one-byte vector.
  TPicture::Bytes data(1 + name.size());
  data[0] = static_cast<std::uint8_t>(name.size());
  std::copy(name.begin(), name.end(), data.begin() + 1);
  if (picture.Kind() == TGraphicKind::Png) {
    data.insert(data.end(), picture.PngBytes().begin(), picture.PngBytes().end());
  } else if (const TBitmap* bitmap = picture.Graphic()) {
    const TPicture::Bytes pixels = BitmapToStreamData(*bitmap);
    data.insert(data.end(), pixels.begin(), pixels.end());
  }
  return data;
}

void PictureFromStreamData(TPicture& picture, const TPicture::Bytes& data) {
  if (data.empty()) InvalidPictureData("no graphic class name");
  const std::size_t nameLength = data[0];
  if (nameLength == 0 || data.size() < 1 + nameLength) InvalidPictureData("no graphic class name");
  const std::string name(data.begin() + 1, data.begin() + 1 + static_cast<std::ptrdiff_t>(nameLength));
  const TPicture::Bytes graphic(data.begin() + 1 + static_cast<std::ptrdiff_t>(nameLength), data.end());
  if (name == kPngGraphicName) {
    picture.LoadFromPng(graphic);
  } else if (name == kBitmapGraphicName) {
    TBitmap bitmap;
    BitmapFromStreamData(bitmap, graphic);
    picture.SetBitmap(bitmap);
  } else {
    InvalidPictureData("unknown graphic class '" + name + "'");
  }
}

}  // namespace tintoral
