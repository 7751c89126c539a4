#pragma once
// Which controls the designer lets a control hold: the form, panels and tab
// sheets hold any control but a tab sheet; a page control holds tab sheets
// only; instruments and the other controls hold none.
namespace tintoral {

class TClassInfo;
class TWinControl;

bool AcceptsChild(const TWinControl& parent, const TClassInfo& child);
bool IsContainer(const TWinControl& control);

}  // namespace tintoral
