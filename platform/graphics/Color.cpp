#include "platform/graphics/Color.h"

#include <array>
#include <cctype>

namespace tintoral {
namespace {

constexpr std::array<std::uint32_t, SystemColorCount> ClassicSystemColors() {
  std::array<std::uint32_t, SystemColorCount> t{};
  t[COLOR_SCROLLBAR] = 0xC0C0C0;
  t[COLOR_BACKGROUND] = 0x808000;
  t[COLOR_ACTIVECAPTION] = 0x800000;
  t[COLOR_INACTIVECAPTION] = 0x808080;
  t[COLOR_MENU] = 0xC0C0C0;
  t[COLOR_WINDOW] = 0xFFFFFF;
  t[COLOR_WINDOWFRAME] = 0x000000;
  t[COLOR_MENUTEXT] = 0x000000;
  t[COLOR_WINDOWTEXT] = 0x000000;
  t[COLOR_CAPTIONTEXT] = 0xFFFFFF;
  t[COLOR_ACTIVEBORDER] = 0xC0C0C0;
  t[COLOR_INACTIVEBORDER] = 0xC0C0C0;
  t[COLOR_APPWORKSPACE] = 0x808080;
  t[COLOR_HIGHLIGHT] = 0x800000;
  t[COLOR_HIGHLIGHTTEXT] = 0xFFFFFF;
  t[COLOR_BTNFACE] = 0xC0C0C0;
  t[COLOR_BTNSHADOW] = 0x808080;
  t[COLOR_GRAYTEXT] = 0x808080;
  t[COLOR_BTNTEXT] = 0x000000;
  t[COLOR_INACTIVECAPTIONTEXT] = 0xC0C0C0;
  t[COLOR_BTNHIGHLIGHT] = 0xFFFFFF;
  t[COLOR_3DDKSHADOW] = 0x000000;
  t[COLOR_3DLIGHT] = 0xDFDFDF;
  t[COLOR_INFOTEXT] = 0x000000;
  t[COLOR_INFOBK] = 0xE1FFFF;
  return t;
}

std::array<std::uint32_t, SystemColorCount>& SystemColorTable() {
  static std::array<std::uint32_t, SystemColorCount> table = ClassicSystemColors();
  return table;
}

struct ColorName {
  TColor color;
  const char* name;
};

constexpr ColorName ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
};

// Identifiers compare without regard to case, as in form files.
bool SameIdent(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return i == a.size() && !b[i];
}

}  // namespace

std::uint32_t SystemColors::Get(int index) {
  if (index < 0 || index >= SystemColorCount) return 0;
  return SystemColorTable()[index];
}

void SystemColors::Set(int index, std::uint32_t rgb) {
  if (index < 0 || index >= SystemColorCount) return;
  SystemColorTable()[index] = rgb & 0xFFFFFFu;
}

void SystemColors::ResetToClassic() { SystemColorTable() = ClassicSystemColors(); }

std::uint32_t ColorToRGB(TColor color) {
  const auto bits = static_cast<std::uint32_t>(color);
  if (IsSystemColor(color)) return SystemColors::Get(static_cast<int>(bits & 0xFFu));
  return bits & 0xFFFFFFu;
}

bool ColorToIdent(TColor color, std::string& ident) {
  for (const ColorName& entry : ColorNames)
    if (entry.color == color) {
      ident = entry.name;
      return true;
    }
  return false;
}

bool IdentToColor(const std::string& ident, TColor& color) {
  for (const ColorName& entry : ColorNames)
    if (SameIdent(ident, entry.name)) {
      color = entry.color;
      return true;
    }
  return false;
}

}  // namespace tintoral
