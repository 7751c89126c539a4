#include "tools/paneldesigner/DesignContainers.h"

#include "platform/window/Form.h"
#include "platform/window/PageControl.h"
#include "platform/window/Panel.h"

namespace tintoral {

bool IsContainer(const TWinControl& control) {
  return dynamic_cast<const TForm*>(&control) || dynamic_cast<const TPanel*>(&control) ||
         dynamic_cast<const TTabSheet*>(&control) || dynamic_cast<const TPageControl*>(&control);
}

bool AcceptsChild(const TWinControl& parent, const TClassInfo& child) {
  const bool sheet = child.InheritsFrom(TTabSheet::StaticClass());
  if (dynamic_cast<const TPageControl*>(&parent)) return sheet;
  return !sheet && IsContainer(parent);
}

}  // namespace tintoral
