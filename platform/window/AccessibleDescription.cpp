#include "platform/window/AccessibleDescription.h"

#include <map>

#include "platform/window/AccessibleStandardControls.h"
#include "platform/window/Form.h"
#include "runtime/ClassInfo.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

class TWindowDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl& control) const override {
    if (control.Parent()) return TAccessibleRole::Client;
    const auto* form = dynamic_cast<const TForm*>(&control);
    return form && form->BorderStyle() == bsDialog ? TAccessibleRole::Dialog : TAccessibleRole::Window;
  }
  std::u16string Name(const TControl& control) const override { return Windows1252ToUtf16(control.Caption()); }
};

using TDescriberMap = std::map<const TClassInfo*, std::shared_ptr<const TAccessibleDescriber>>;

TDescriberMap& Describers() {
  static TDescriberMap describers = [] {
    TDescriberMap standard;
    for (auto& [cls, describer] : StandardAccessibleDescribers()) standard[cls] = std::move(describer);
    return standard;
  }();
  return describers;
}

const TAccessibleDescriber* ClassDescriber(const TControl& control) {
  const TDescriberMap& describers = Describers();
  for (const TClassInfo* cls = &control.ClassType(); cls; cls = cls->Parent()) {
    const auto found = describers.find(cls);
    if (found != describers.end()) return found->second.get();
  }
  return nullptr;
}

// The top-level window of `control` with its describer; no window when the
// control is itself top-level or its window has no describer of its own.
struct TWindowDescription {
  const TControl* Window = nullptr;
  const TAccessibleDescriber* Describer = nullptr;
};
TWindowDescription WindowDescriptionOf(const TControl& control) {
  const TControl* window = const_cast<TControl&>(control).Root();
  if (window == &control) return {};
  const TAccessibleDescriber* describer = ClassDescriber(*window);
  return describer ? TWindowDescription{window, describer} : TWindowDescription{};
}

}  // namespace

std::u16string TAccessibleDescriber::NameWithCaption(const TControl& control, const std::u16string& caption) const {
  const std::u16string own = Name(control);
  return own.empty() ? caption : caption + u' ' + own;
}

void RegisterAccessibleDescriber(const TClassInfo& cls, std::shared_ptr<const TAccessibleDescriber> describer) {
  Describers()[&cls] = std::move(describer);
}

const TAccessibleDescriber* FindAccessibleDescriber(const TControl& control) {
  const TWindowDescription window = WindowDescriptionOf(control);
  if (window.Describer) {
    if (const TAccessibleDescriber* own = window.Describer->DescriberOf(*window.Window, control)) return own;
  }
  return ClassDescriber(control);
}

const TAccessibleDescriber& DefaultAccessibleDescriber() {
  static const TWindowDescriber describer;
  return describer;
}

const TControl* AccessibleCaptionOf(const TControl& control) {
  const TWindowDescription window = WindowDescriptionOf(control);
  if (!window.Describer) return nullptr;
  for (const TAccessibleCaption& caption : window.Describer->Captions(*window.Window))
    if (caption.Control == &control) return caption.Caption;
  return nullptr;
}

std::vector<const TControl*> ControlsCaptionedBy(const TControl& caption) {
  std::vector<const TControl*> controls;
  const TWindowDescription window = WindowDescriptionOf(caption);
  if (!window.Describer) return controls;
  for (const TAccessibleCaption& entry : window.Describer->Captions(*window.Window))
    if (entry.Caption == &caption) controls.push_back(entry.Control);
  return controls;
}

std::u16string AccessibleName(const TAccessibleDescriber& describer, const TControl& control) {
  const TControl* caption = AccessibleCaptionOf(control);
  const TAccessibleDescriber* captionDescriber = caption ? FindAccessibleDescriber(*caption) : nullptr;
  if (!captionDescriber) return describer.Name(control);
  return describer.NameWithCaption(control, captionDescriber->Name(*caption));
}

std::string TextWithoutPrefixMarks(std::string_view caption) {
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') ++i;
    if (i < caption.size()) shown += caption[i];
  }
  return shown;
}

}  // namespace tintoral
