#pragma once
// What screen readers learn about a control, without Qt: its role, its name,
// the value it shows and, for controls the user sets, a numeric range that
// assistive technology may also set. A describer answers for one class and
// its descendants (the nearest registered class wins); the window layer's
// accessible interfaces (platform/window/ControlAccessible.h) ask it.
// Layers above register describers for their own classes.
//
// The describer of a top-level window may also speak for the controls on
// it: which label is the caption of which control (a screen reader then
// names the control by it and relates the two), and describers of their own
// for single controls (an image that shows a diagram).
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintoral {

class TClassInfo;
class TControl;

enum class TAccessibleRole { Client, Window, Dialog, StaticText, Slider, PushButton, Graphic, PageTab, EditableText };

struct TAccessibleRange {
  double Current = 0;
  double Minimum = 0;
  double Maximum = 0;
  double Step = 0;  // the smallest step the user's keys make; 0 when unknown
};

// A label that names a control, both on the same top-level window.
struct TAccessibleCaption {
  const TControl* Control = nullptr;
  const TControl* Caption = nullptr;
};

class TAccessibleDescriber {
 public:
  virtual ~TAccessibleDescriber() = default;
  virtual TAccessibleRole Role(const TControl& control) const = 0;
  // Unicode: the texts may hold characters a control draws that Windows-1252
  // lacks (a readout's overflow arrows).
  virtual std::u16string Name(const TControl& control) const = 0;
  virtual std::u16string Value(const TControl&) const { return {}; }
  // What a graphic shows, beyond its name; empty when the name says it all.
  virtual std::u16string Description(const TControl&) const { return {}; }
  // The text the control shows, for the screen reader's text interface;
  // nothing for controls that show no text.
  virtual std::optional<std::u16string> ShownText(const TControl&) const { return std::nullopt; }
  // The name when a caption names the control: the caption, then the name
  // the control has on its own ("Luminancia (Y): 0,300").
  virtual std::u16string NameWithCaption(const TControl& control, const std::u16string& caption) const;

  // Only for controls that hold a value the user sets.
  virtual std::optional<TAccessibleRange> Range(const TControl&) const { return std::nullopt; }
  // Sets the value as the user's own gesture would, with the same events.
  virtual void SetValueAsUser(TControl&, double) const {}

  // Buttons: whether assistive technology may press the control, the press
  // itself (as the user's click, with the same events), and whether Enter
  // presses it.
  virtual bool Pressable(const TControl&) const { return false; }
  virtual void PressAsUser(TControl&) const {}
  virtual bool IsDefault(const TControl&) const { return false; }

  // For the describer of a top-level window: the captions of its controls,
  // and a describer of its own for one of its controls (nullptr: the class's).
  virtual std::vector<TAccessibleCaption> Captions(const TControl& /*window*/) const { return {}; }
  virtual const TAccessibleDescriber* DescriberOf(const TControl& /*window*/, const TControl& /*control*/) const {
    return nullptr;
  }
};

// Replaces the describer of `cls` and its descendants (those without a
// nearer one of their own).
void RegisterAccessibleDescriber(const TClassInfo& cls, std::shared_ptr<const TAccessibleDescriber> describer);
template <class T>
void RegisterAccessibleDescriber(std::shared_ptr<const TAccessibleDescriber> describer) {
  RegisterAccessibleDescriber(T::StaticClass(), std::move(describer));
}

// The describer for `control`: the one its top-level window gives it, else
// the nearest registered one up its class chain; nullptr when none is (a
// graphic control is then left out, being decoration such as a bevel; so is
// a static text with an empty name, which shows nothing).
const TAccessibleDescriber* FindAccessibleDescriber(const TControl& control);
// The describer that windowed controls without one of their own get: a top-
// level window (a dialog when it has a dialog's border) or a client area,
// named by its caption.
const TAccessibleDescriber& DefaultAccessibleDescriber();

// The caption that names `control`, nullptr when none does; and the
// controls that `caption` names.
const TControl* AccessibleCaptionOf(const TControl& control);
std::vector<const TControl*> ControlsCaptionedBy(const TControl& caption);
// The name a screen reader reads: the describer's, with the caption when
// one names the control.
std::u16string AccessibleName(const TAccessibleDescriber& describer, const TControl& control);

// A caption as it shows with "&" prefix marks: "&x" shows x, "&&" shows "&",
// and a trailing "&" nothing.
std::string TextWithoutPrefixMarks(std::string_view caption);

}  // namespace tintoral
