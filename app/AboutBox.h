#pragma once
// TAboutBox: the About box, a fixed dialog with the program's name, a
// picture, the version line and an OK button. Its layout
// (app/forms/AboutBox.txt) and picture (app/resources/about.png) are compiled
// into the program. Shown with ShowModal, centred on the screen; Enter or OK
// closes it with mrOk, Escape as the close box does (mrCancel).
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
};

}  // namespace tintoral
