#pragma once
// Numeric and drawing helpers shared by the instruments. All are free
// functions; none keeps state. WriteStoredProperties (every stored property
// with a getter and a setter, then the extra stream properties, errors of
// the general exception kind skipped) is the runtime's, in
// runtime/FormWriter.h, included here for the instruments that use it.
#include <cstdint>
#include <string>

#include "instruments/base/InstrumentTypes.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Geometry.h"
#include "runtime/FormWriter.h"

namespace tintoral {

// --- Numbers, in extended precision ------------------------------------------

// x × π/180.
long double DegToRad(long double x);
// Decimal logarithm as log2(x) × log10(2).
long double Log10(long double x);
// 2^(exponent × log2(base)); meaningful for a positive base only.
long double Power(long double base, long double exponent);
// x + 0.5 truncated toward zero: 2.5 → 3, −2.5 → −2, −2.6 → −2. Raises
// ConvertError when the result is NaN or does not fit 64 bits.
std::int64_t RoundHalfUp(long double x);

// --- Colours -------------------------------------------------------------------

// The red, green and blue bytes of the colour's low three bytes (the top
// byte, system colour marks included, is dropped) each divided by factor when
// factor ≥ 1, or multiplied by −factor when factor ≤ 0, clamped to 0..255
// and packed as 0x00BBGGRR.
TColor ScaleColor(TColor color, int factor);

// --- Drawing -------------------------------------------------------------------

// Kind of DrawBevelRect.
enum TBevelRectKind : int { bevelRectSunken = 0, bevelRectRaised = 1, bevelRectFramed = 2 };

// Sunken (0) or raised (1) two-pixel edge on all four sides, inside left
// alone; 2: a polygon through the rectangle's corner pixels outlined with a
// solid button-shadow pen and filled with the current brush; any other kind
// draws nothing.
void DrawBevelRect(TCanvas& canvas, const TRect& rect, int kind);

// A vertical (x1 = x2, a single point included) or horizontal line with a
// bevel: ibsNone one stroke in the current pen; ibsRaised white at x − 1 and
// x and black at x + 1 (vertical) or white at y and black at y + 1
// (horizontal); ibsLowered the mirror image. Ends are ordered first; the end
// pixel of each stroke is not drawn. The pen keeps the last colour set.
void DrawBevelLine(TCanvas& canvas, int x1, int y1, int x2, int y2, TiBevelStyle style);

// A two-point polyline in the current pen (end pixel not drawn).
void DrawLine(TCanvas& canvas, int x1, int y1, int x2, int y2);

// Formatted text in the rectangle with DrawTextFlag bits (platform/graphics/
// Canvas.h) in the current font and colours; returns the text height.
// Flags 0: left, top, no wrapping, "&" drawn as it is. With the calculate
// flag the rectangle is adjusted instead of drawing; with the modify-string
// flag and an ellipsis flag the text receives the shortened text.
int DrawTextFlags(TCanvas& canvas, std::string& text, TRect& rect, std::uint16_t flags);
// The same, leaving the caller's text and rectangle alone.
int DrawTextFlags(TCanvas& canvas, const std::string& text, const TRect& rect, std::uint16_t flags);

// The dotted inverting focus rectangle; drawing it twice restores the pixels.
void DrawFocusFrame(TCanvas& canvas, const TRect& rect);
// Sets pen and brush colour to the colour, then DrawFocusFrame.
void DrawColorFocusFrame(TCanvas& canvas, const TRect& rect, TColor color);

}  // namespace tintoral
