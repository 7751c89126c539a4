#pragma once
// TForm1: the main window. Its layout (app/forms/MainForm.txt) is compiled
// into the program and read when the window is created; the controls land
// in the fields below, and the layout's events are bound to the handlers.
#include <string_view>

#include "platform/window/Form.h"

namespace tintoral {

class TAboutBox;
class TBevel;
class TImage;
class TLabel;
class TPageControl;
class TPanel;
class TSpeedButton;
class TTabSheet;

class TForm1 : public TForm {
  TINTORAL_CLASS(TForm1, TForm)

 public:
  explicit TForm1(TComponent* owner);
  // The window built from the given layout text instead of the compiled-in
  // one, in the same way: controls, handlers bound, then FormCreate. Tools
  // that render layout files use it.
  TForm1(TComponent* owner, std::string_view layoutText);

  // The box that the question-mark button shows; set once it exists.
  void SetAboutBox(TAboutBox* aboutBox) { aboutBox_ = aboutBox; }

  // Controls, in declaration order (owned by the form).
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet1 = nullptr;
  TBevel* Bevel2 = nullptr;
  TLabel* Luminancia = nullptr;
  TImage* Vector = nullptr;
  TBevel* Bevel3 = nullptr;
  TPanel* Panel1 = nullptr;
  TBevel* Bevel1 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label7 = nullptr;
  TLabel* Label8 = nullptr;
  TPanel* Panel2 = nullptr;
  TLabel* Label12 = nullptr;
  TLabel* Label13 = nullptr;
  TLabel* Label14 = nullptr;
  TPanel* Panel3 = nullptr;
  TLabel* Label9 = nullptr;
  TPanel* Panel4 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label10 = nullptr;
  TPanel* Panel5 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label6 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;

  // Brings the swatches, the signal readouts and the vector diagram up to
  // date with the colour the sliders set.
  void Refrescar();

  // Event handlers named in the layout.
  void FormCreate(TObject* sender);
  void SpeedButton1Click(TObject* sender);

 private:
  TAboutBox* aboutBox_ = nullptr;
};

}  // namespace tintoral
