#include "platform/window/StandardControls.h"

#include "platform/window/Bevel.h"
#include "platform/window/Button.h"
#include "platform/window/Image.h"
#include "platform/window/Label.h"
#include "platform/window/PageControl.h"
#include "platform/window/Panel.h"
#include "platform/window/SpeedButton.h"
#include "runtime/ClassRegistry.h"

namespace tintoral {

void RegisterStandardControls() {
  RegisterComponentClass<TPanel>();
  RegisterComponentClass<TBevel>();
  RegisterComponentClass<TLabel>();
  RegisterComponentClass<TPageControl>();
  RegisterComponentClass<TTabSheet>();
  RegisterComponentClass<TSpeedButton>();
  RegisterComponentClass<TButton>();
  RegisterComponentClass<TImage>();
}

}  // namespace tintoral
