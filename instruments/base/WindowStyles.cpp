#include "instruments/base/WindowStyles.h"

#include <unordered_map>

#include "platform/window/WinControl.h"

namespace tintoral {
namespace {

// The styles by control. A free notification drops a control's entry when
// the control is destroyed.
class StyleTable : public TComponent {
 public:
  StyleTable() : TComponent(nullptr) {}

  std::uint32_t Get(const TWinControl& control) const {
    const auto found = styles_.find(&control);
    return found == styles_.end() ? 0 : found->second;
  }

  void Set(TWinControl& control, std::uint32_t style) {
    if (style == 0) {
      if (styles_.erase(&control) != 0) control.RemoveFreeNotification(this);
      return;
    }
    if (styles_.find(&control) == styles_.end()) control.FreeNotification(this);
    styles_[&control] = style;
  }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove) styles_.erase(component);
  }

 private:
  std::unordered_map<const TComponent*, std::uint32_t> styles_;
};

// Never destroyed: controls still alive at exit keep pointing to it.
StyleTable& Table() {
  static StyleTable* table = new StyleTable();
  return *table;
}

}  // namespace

std::uint32_t ExtendedWindowStyle(const TWinControl& control) { return Table().Get(control); }

void SetExtendedWindowStyle(TWinControl& control, std::uint32_t style) { Table().Set(control, style); }

}  // namespace tintoral
