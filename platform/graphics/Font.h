#pragma once
// A font: face name, size in points (at 96 dpi) or height in pixels, colour,
// style set and character set. Height < 0 is the character height without
// internal leading, Height > 0 the cell height. Windows face names missing on
// Linux are mapped to installed fonts by FontSubstitution.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/graphics/Color.h"
#include "runtime/Persistent.h"

namespace tintoral {

enum TFontStyle : int { fsBold, fsItalic, fsUnderline, fsStrikeOut };
// Set of TFontStyle: bit n is style n.
using TFontStyles = std::uint8_t;
constexpr TFontStyles FontStyleBit(TFontStyle s) { return static_cast<TFontStyles>(1u << s); }

using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;

constexpr int ScreenPixelsPerInch = 96;

class TFont : public TPersistent {
  TINTORAL_CLASS(TFont, TPersistent)

 public:
  TFont() = default;

  const std::string& Name() const { return name_; }  // Windows-1252 bytes
  void SetName(const std::string& value);
  int Size() const;  // points: -Height * 72 / 96, rounded
  void SetSize(int points);
  int Height() const { return height_; }
  void SetHeight(int pixels);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles value);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset value);

  // Copies every property from another font; one change notification.
  void Assign(const TPersistent& source) override;
  // Called after every change of a property.
  void SetOnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

 private:
  void Changed();

  std::string name_ = "MS Sans Serif";
  int height_ = -11;  // 8 points
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
  TFontCharset charset_ = DEFAULT_CHARSET;
  std::function<void()> onChange_;
};

}  // namespace tintoral
