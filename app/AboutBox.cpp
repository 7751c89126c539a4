#include "app/AboutBox.h"

#include <QWidget>
#include <QWindow>
#include <vector>

#include "app/Resources.h"
#include "platform/window/Button.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/Image.h"
#include "platform/window/Label.h"
#include "platform/window/Panel.h"
#include "runtime/ClassBuilder.h"
#include "runtime/ScopeExit.h"

namespace tintoral {

const TClassInfo& TAboutBox::StaticClass() {
  static const TClassInfo info = DescribeClass<TAboutBox>("TAboutBox", TForm::StaticClass(), [](auto& b) {
    using T = TAboutBox;
    b.Field("Panel1", &T::Panel1);
    b.Field("ProgramIcon", &T::ProgramIcon);
    b.Field("ProductName", &T::ProductName);
    b.Field("Version", &T::Version);
    b.Field("OKButton", &T::OKButton);
  });
  return info;
}

// The picture is the PNG stream itself, handed to the image once the layout
// is read; the image stretches it into its frame.
TAboutBox::TAboutBox(TComponent* owner) : TForm(owner) {
  LoadLayout(AboutBoxText());
  const auto png = AboutPicturePng();
  ProgramIcon->Picture().LoadFromPng(std::vector<std::uint8_t>(png.begin(), png.end()));
}

bool TAboutBox::DialogKey(std::uint16_t key, TShiftState shift) {
  if (key == VK_ESCAPE && shift.Empty() && IsModal()) {
    Close();
    return true;
  }
  return TForm::DialogKey(key, shift);
}

TModalResult TAboutBox::ShowModalOver(const TForm& window) {
  over_ = &window;
  const TScopeExit done([this] { over_ = nullptr; });
  return ShowModal();
}

// Placed after the screen-centred placement of every modal showing: the
// outer rectangle centred on the window's outer rectangle as the desktop
// shows it, the box's frame counted as the classic dialog frame.
void TAboutBox::DoShow() {
  const QWidget* window = over_ ? over_->Widget() : nullptr;
  if (window && window->isVisible() && Widget()) {
    const QRect around = window->frameGeometry();
    SetBounds(around.x() + (around.width() - Width()) / 2, around.y() + (around.height() - Height()) / 2, Width(),
              Height());
    Widget()->winId();  // the native window, to be made transient
    if (QWindow* box = Widget()->windowHandle()) box->setTransientParent(window->windowHandle());
  }
  TForm::DoShow();
}

}  // namespace tintoral
