#pragma once
// TForm1: the main window. Its layout (app/forms/MainForm.txt) is compiled
// into the program and read when the window is created; the controls land
// in the fields below, and the layout's events are bound to the handlers.
#include <memory>
#include <string>
#include <string_view>

#include "app/MainWindowKeys.h"
#include "app/VectorDiagram.h"
#include "platform/window/Form.h"

namespace tintoral {

class TAboutBox;
class TBevel;
class TiLabel;
class TiLCDMatrix;
class TiObjectCanvas;
class TiSevenSegmentAnalog;
class TiSevenSegmentInteger;
class TiSlider;
class TImage;
class TLabel;
class TPageControl;
class TPanel;
class TSpeedButton;
class TTabSheet;
class TTestSignalsForm;

class TForm1 : public TForm {
  TINTORAL_CLASS(TForm1, TForm)

 public:
  explicit TForm1(TComponent* owner);
  // The window built from the given layout text instead of the compiled-in
  // one, in the same way: controls, handlers bound, then FormCreate. Tools
  // that render layout files use it.
  TForm1(TComponent* owner, std::string_view layoutText);
  ~TForm1() override;

  // The box that the question-mark button (and F1) shows; set once it exists.
  void SetAboutBox(TAboutBox* aboutBox) { aboutBox_ = aboutBox; }
  TAboutBox* AboutBox() const { return aboutBox_; }

  // The test-signal window, created at its first showing; nullptr before.
  TTestSignalsForm* TestSignals() const { return testSignals_.get(); }
  // Shows the test-signal window (F2, the context menu, --test-signals).
  void ShowTestSignals();
  // What the window's keys and context menu do (MainWindowKeys.h).
  void RunCommand(TMainWindowCommand command);
  // The shown values as text for the clipboard: tab-separated, names first.
  std::string ValuesText() const;

  // Turns on the projector zoom (TForm::EnableZoom) at the factor the user
  // left it at, and remembers each factor the keys choose (ZoomMemory.h).
  // The program does this; tools and tests that build the window do not.
  void UseRememberedZoom();

  // Controls, in declaration order (owned by the form). The names are the
  // layout's own: Panel and PanelY are the object canvases of the colour and
  // black-and-white swatches, while Panel1 ... Panel5 are plain panels.
  TiLCDMatrix* LCD_Main = nullptr;
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
  TiObjectCanvas* PanelY = nullptr;
  TiSlider* CursorVerde = nullptr;
  TiSlider* CursorAzul = nullptr;
  TiSlider* CursorRojo = nullptr;
  TiObjectCanvas* Panel = nullptr;
  TPanel* Panel2 = nullptr;
  TLabel* Label12 = nullptr;
  TLabel* Label13 = nullptr;
  TLabel* Label14 = nullptr;
  TiSevenSegmentInteger* ValorRojo = nullptr;
  TiSevenSegmentInteger* ValorVerde = nullptr;
  TiSevenSegmentInteger* ValorAzul = nullptr;
  TPanel* Panel3 = nullptr;
  TLabel* Label9 = nullptr;
  TiSevenSegmentAnalog* ValorLumi = nullptr;
  TPanel* Panel4 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label10 = nullptr;
  TiSevenSegmentAnalog* ValorR_Y = nullptr;
  TiSevenSegmentAnalog* ValorV = nullptr;
  TPanel* Panel5 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label6 = nullptr;
  TiSevenSegmentAnalog* ValorB_Y = nullptr;
  TiSevenSegmentAnalog* ValorU = nullptr;
  TiLabel* iLabel1 = nullptr;
  TiLabel* iLabel2 = nullptr;
  TiLabel* iLabel3 = nullptr;
  TiLabel* iLabel4 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;

  // Brings the swatches, the signal readouts and the vector diagram up to
  // date with the colour the sliders set.
  void Refrescar();

  // Event handlers named in the layout.
  void FormCreate(TObject* sender);
  void SpeedButton1Click(TObject* sender);
  // Each refreshes everything, then sets its own slider's percentage readout.
  void CursorRojoPositionChange(TObject* sender);
  void CursorVerdePositionChange(TObject* sender);
  void CursorAzulPositionChange(TObject* sender);

 protected:
  // F1, the zoom keys and F11 (MainWindowKeys.h), whichever control has the focus.
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  // Installs the context menu (MainWindowMenu.h).
  void WindowCreated() override;

 private:
  void ChangeZoom(int factor);
  // After every slider change: the test-signal window follows.
  void SlidersChanged();

  TAboutBox* aboutBox_ = nullptr;
  TVectorDiagramSurface vectorDiagram_;  // keeps the diagram on Vector's picture
  std::unique_ptr<TTestSignalsForm> testSignals_;
};

}  // namespace tintoral
