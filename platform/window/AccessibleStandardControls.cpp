#include "platform/window/AccessibleStandardControls.h"

#include "platform/window/Button.h"
#include "platform/window/Label.h"
#include "platform/window/SpeedButton.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

// The standard label: its caption as it shows.
class TLabelDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::StaticText; }
  std::u16string Name(const TControl& control) const override {
    const auto& label = static_cast<const TLabel&>(control);
    return Windows1252ToUtf16(label.ShowAccelChar() ? TextWithoutPrefixMarks(label.Caption()) : label.Caption());
  }
  std::optional<std::u16string> ShownText(const TControl& control) const override { return Name(control); }
};

}  // namespace

std::u16string TButtonDescriber::Name(const TControl& control) const {
  const std::string caption = TextWithoutPrefixMarks(control.Caption());
  return Windows1252ToUtf16(caption.empty() ? control.Hint() : caption);
}

bool TButtonDescriber::Pressable(const TControl& control) const { return control.Enabled(); }

void TPushButtonDescriber::PressAsUser(TControl& control) const { control.Click(); }

bool TPushButtonDescriber::IsDefault(const TControl& control) const {
  return static_cast<const TButton&>(control).IsActiveDefault();
}

void TSpeedButtonDescriber::PressAsUser(TControl& control) const { static_cast<TSpeedButton&>(control).Press(); }

std::vector<TClassDescriber> StandardAccessibleDescribers() {
  return {{&TLabel::StaticClass(), std::make_shared<TLabelDescriber>()},
          {&TButton::StaticClass(), std::make_shared<TPushButtonDescriber>()},
          {&TSpeedButton::StaticClass(), std::make_shared<TSpeedButtonDescriber>()}};
}

}  // namespace tintoral
