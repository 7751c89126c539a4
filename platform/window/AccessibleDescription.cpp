#include "platform/window/AccessibleDescription.h"

#include <map>

#include "platform/window/Label.h"
#include "runtime/ClassInfo.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

class TWindowDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl& control) const override {
    return control.Parent() ? TAccessibleRole::Client : TAccessibleRole::Window;
  }
  std::u16string Name(const TControl& control) const override { return Windows1252ToUtf16(control.Caption()); }
};

// The standard label: its caption as it shows.
class TLabelDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::StaticText; }
  std::u16string Name(const TControl& control) const override {
    const auto& label = static_cast<const TLabel&>(control);
    return Windows1252ToUtf16(label.ShowAccelChar() ? TextWithoutPrefixMarks(label.Caption()) : label.Caption());
  }
};

using TDescriberMap = std::map<const TClassInfo*, std::shared_ptr<const TAccessibleDescriber>>;

TDescriberMap& Describers() {
  static TDescriberMap describers{{&TLabel::StaticClass(), std::make_shared<TLabelDescriber>()}};
  return describers;
}

}  // namespace

void RegisterAccessibleDescriber(const TClassInfo& cls, std::shared_ptr<const TAccessibleDescriber> describer) {
  Describers()[&cls] = std::move(describer);
}

const TAccessibleDescriber* FindAccessibleDescriber(const TControl& control) {
  const TDescriberMap& describers = Describers();
  for (const TClassInfo* cls = &control.ClassType(); cls; cls = cls->Parent()) {
    const auto found = describers.find(cls);
    if (found != describers.end()) return found->second.get();
  }
  return nullptr;
}

const TAccessibleDescriber& DefaultAccessibleDescriber() {
  static const TWindowDescriber describer;
  return describer;
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
