#pragma once
// TPicture: a persistent holder of one graphic, a bitmap or a PNG image.
// A PNG image is shown through the bitmap it decodes to and keeps its
// original bytes, so that it streams back unchanged. As soon as the pixels
// or the transparency of that bitmap are changed through Bitmap(), the
// picture becomes a plain bitmap (the PNG bytes would no longer describe
// what is shown).
//
// Stream form: the extra binary property "Data" holds the graphic's class
// name (one length byte, then the name: "TBitmap" or "TPngGraphic") followed
// by the graphic's own data: the bitmap stream data of GraphicsClasses.h, or
// the PNG stream itself. An empty picture writes no Data.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Persistent.h"

namespace tintoral {

class TBitmap;

inline constexpr char kBitmapGraphicName[] = "TBitmap";
inline constexpr char kPngGraphicName[] = "TPngGraphic";

enum class TGraphicKind { None, Bitmap, Png };

class TPicture : public TPersistent {
  TINTORAL_CLASS(TPicture, TPersistent)

 public:
  using Bytes = std::vector<std::uint8_t>;

  TPicture();
  ~TPicture() override;

  TGraphicKind Kind() const { return kind_; }
  bool Empty() const { return kind_ == TGraphicKind::None; }
  // "TBitmap", "TPngGraphic", or empty when the picture holds nothing.
  std::string GraphicClassName() const;
  int Width() const;
  int Height() const;

  // The pixels shown, nullptr when the picture is empty.
  const TBitmap* Graphic() const { return Empty() ? nullptr : bitmap_.get(); }
  // The graphic's bitmap, for reading and changing its pixels. An empty
  // picture first gets an empty (0 × 0) bitmap graphic.
  TBitmap& Bitmap();
  // The original bytes of a PNG graphic; empty for any other graphic.
  const Bytes& PngBytes() const { return png_; }

  // Replaces the graphic by the decoded PNG image. Raises GraphicsError for
  // data that is not a sound PNG image and then changes nothing.
  void LoadFromPng(const Bytes& data);
  // Replaces the graphic by a copy of the bitmap.
  void SetBitmap(const TBitmap& bitmap);
  // Sets the transparency of the shown graphic without turning a PNG
  // graphic into a bitmap; does nothing on an empty picture.
  void SetGraphicTransparent(bool transparent);
  void Clear();

  // Copies a picture, or takes a copy of a bitmap as the graphic.
  void Assign(const TPersistent& source) override;

  // Called after every change of the graphic or of its pixels.
  void SetOnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

 protected:
  void AssignTo(TPersistent& dest) const override;

 private:
  void Adopt(std::unique_ptr<TBitmap> bitmap, TGraphicKind kind, Bytes png);
  void WatchBitmap();
  void BitmapChanged();
  void Changed();

  std::unique_ptr<TBitmap> bitmap_;
  TGraphicKind kind_ = TGraphicKind::None;
  Bytes png_;
  bool keepKind_ = false;  // a change of the bitmap that leaves a PNG graphic a PNG
  std::function<void()> onChange_;
};

// The picture's stream data ("Data"), as described above.
TPicture::Bytes PictureToStreamData(const TPicture& picture);
// Reads stream data into the picture. Raises StreamError for data without a
// known graphic class name or with malformed bitmap data, and GraphicsError
// for a damaged PNG stream; the picture is then left unchanged.
void PictureFromStreamData(TPicture& picture, const TPicture::Bytes& data);

}  // namespace tintoral
