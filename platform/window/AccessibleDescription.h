#pragma once
// What screen readers learn about a control, without Qt: its role, its name,
// the value it shows and, for controls the user sets, a numeric range that
// assistive technology may also set. A describer answers for one class and
// its descendants (the nearest registered class wins); the window layer's
// accessible interfaces (platform/window/ControlAccessible.h) ask it.
// Layers above register describers for their own classes.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tintoral {

class TClassInfo;
class TControl;

enum class TAccessibleRole { Client, Window, StaticText, Slider };

struct TAccessibleRange {
  double Current = 0;
  double Minimum = 0;
  double Maximum = 0;
  double Step = 0;  // the smallest step the user's keys make; 0 when unknown
};

class TAccessibleDescriber {
 public:
  virtual ~TAccessibleDescriber() = default;
  virtual TAccessibleRole Role(const TControl& control) const = 0;
  // Unicode: the texts may hold characters a control draws that Windows-1252
  // lacks (a readout's overflow arrows).
  virtual std::u16string Name(const TControl& control) const = 0;
  virtual std::u16string Value(const TControl&) const { return {}; }
  // Only for controls that hold a value the user sets.
  virtual std::optional<TAccessibleRange> Range(const TControl&) const { return std::nullopt; }
  // Sets the value as the user's own gesture would, with the same events.
  virtual void SetValueAsUser(TControl&, double) const {}
};

// Replaces the describer of `cls` and its descendants (those without a
// nearer one of their own).
void RegisterAccessibleDescriber(const TClassInfo& cls, std::shared_ptr<const TAccessibleDescriber> describer);
template <class T>
void RegisterAccessibleDescriber(std::shared_ptr<const TAccessibleDescriber> describer) {
  RegisterAccessibleDescriber(T::StaticClass(), std::move(describer));
}

// The describer for `control`: the nearest registered one up its class
// chain; nullptr when none is (a graphic control is then left out, being
// decoration such as a bevel or a picture).
const TAccessibleDescriber* FindAccessibleDescriber(const TControl& control);
// The describer that windowed controls without one of their own get: a top-
// level window or a client area named by its caption.
const TAccessibleDescriber& DefaultAccessibleDescriber();

// A caption as it shows with "&" prefix marks: "&x" shows x, "&&" shows "&",
// and a trailing "&" nothing.
std::string TextWithoutPrefixMarks(std::string_view caption);

}  // namespace tintoral
