#pragma once
// TAboutBox: the About box, a fixed dialog with the program's name, a
// picture, the version line and an OK button. Its layout
// (app/forms/AboutBox.txt) and picture (app/resources/about.png) are compiled
// into the program. Shown with ShowModal, centred on the screen, or with
// ShowModalOver, centred on a window and kept above it; Enter or OK closes it
// with mrOk, Escape as the close box does (mrCancel).
#include "platform/window/Form.h"

namespace tintoral {

class TButton;
class TImage;
class TLabel;
class TPanel;

class TAboutBox : public TForm {
  TINTORAL_CLASS(TAboutBox, TForm)

 public:
  explicit TAboutBox(TComponent* owner);

  // Controls, in declaration order (owned by the box).
  TPanel* Panel1 = nullptr;
  TImage* ProgramIcon = nullptr;
  TLabel* ProductName = nullptr;
  TLabel* Version = nullptr;
  TButton* OKButton = nullptr;

  bool DialogKey(std::uint16_t key, TShiftState shift) override;

  // Shows the box modally, centred on `window` as it shows (zoomed or not)
  // and transient for it, so that the desktop keeps it above that window.
  TModalResult ShowModalOver(const TForm& window);

 protected:
  void DoShow() override;

 private:
  const TForm* over_ = nullptr;  // the window the showing is centred on
};

}  // namespace tintoral
