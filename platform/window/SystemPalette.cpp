#include "platform/window/SystemPalette.h"

#include <QApplication>
#include <QPalette>

#include "platform/graphics/Color.h"

namespace tintoral {
namespace {

std::uint32_t ToColorRef(const QColor& color) {
  return static_cast<std::uint32_t>(RGB(color.red(), color.green(), color.blue()));
}

struct RoleOfColor {
  int index;
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

// The colour numbers Qt's palette has an equivalent for. Captions, borders,
// the desktop, the scroll bar and the application workspace keep their
// classic values.
constexpr RoleOfColor kRoles[] = {
    {COLOR_MENU, QPalette::Active, QPalette::Window},
    {COLOR_WINDOW, QPalette::Active, QPalette::Base},
    {COLOR_WINDOWFRAME, QPalette::Active, QPalette::Shadow},
    {COLOR_MENUTEXT, QPalette::Active, QPalette::WindowText},
    {COLOR_WINDOWTEXT, QPalette::Active, QPalette::Text},
    {COLOR_HIGHLIGHT, QPalette::Active, QPalette::Highlight},
    {COLOR_HIGHLIGHTTEXT, QPalette::Active, QPalette::HighlightedText},
    {COLOR_BTNFACE, QPalette::Active, QPalette::Button},
    {COLOR_BTNSHADOW, QPalette::Active, QPalette::Dark},
    {COLOR_GRAYTEXT, QPalette::Disabled, QPalette::Text},
    {COLOR_BTNTEXT, QPalette::Active, QPalette::ButtonText},
    {COLOR_BTNHIGHLIGHT, QPalette::Active, QPalette::Light},
    {COLOR_3DDKSHADOW, QPalette::Active, QPalette::Shadow},
    {COLOR_3DLIGHT, QPalette::Active, QPalette::Midlight},
    {COLOR_INFOTEXT, QPalette::Active, QPalette::ToolTipText},
    {COLOR_INFOBK, QPalette::Active, QPalette::ToolTipBase},
};

}  // namespace

void LoadSystemColorsFromPalette() {
  SystemColors::ResetToClassic();
  const QPalette palette = QApplication::palette();
  for (const RoleOfColor& entry : kRoles)
    SystemColors::Set(entry.index, ToColorRef(palette.color(entry.group, entry.role)));
}

}  // namespace tintoral
