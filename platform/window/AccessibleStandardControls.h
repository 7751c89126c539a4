#pragma once
// What screen readers learn about the standard controls that are not plain
// windows: a label reads as its caption and shows it as text; a push button
// and a speed button are push buttons named by their caption (a speed
// button with a glyph only by its hint), which assistive technology may
// press as the user's click does; the push button that Enter presses (the
// focused one, else the one marked Default) has the default state.
#include <memory>
#include <utility>
#include <vector>

#include "platform/window/AccessibleDescription.h"

namespace tintoral {

// Both kinds of button: the caption as it shows, else the hint; pressable
// while enabled.
class TButtonDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::PushButton; }
  std::u16string Name(const TControl& control) const override;
  bool Pressable(const TControl& control) const override;
};

class TPushButtonDescriber : public TButtonDescriber {
 public:
  void PressAsUser(TControl& control) const override;
  bool IsDefault(const TControl& control) const override;
};

// Windows may give one of their speed buttons a describer derived from this
// one, to name a button that shows only a glyph.
class TSpeedButtonDescriber : public TButtonDescriber {
 public:
  void PressAsUser(TControl& control) const override;
};

using TClassDescriber = std::pair<const TClassInfo*, std::shared_ptr<const TAccessibleDescriber>>;

// The registry starts with these.
std::vector<TClassDescriber> StandardAccessibleDescribers();

}  // namespace tintoral
