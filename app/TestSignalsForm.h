#pragma once
// TTestSignalsForm: the second window, "Señales de prueba". It shows the
// colour the main window's sliders set against the standard test signals:
// the colour bars at 100 % and 75 % (a click or the keys 1 … 8 move the main
// window's sliders to a bar, the key 0 switches the set; the strip's frame
// has the focus as the window opens), a vectorscope with
// the bars' target boxes and the current vector, a waveform monitor of the
// selected bars with the current colour beside them, the TV standards side
// by side, and fields for typing exact values. Its layout
// (app/forms/TestSignalsForm.txt) is compiled into the program.
//
// Without a main window (formshot) the colour is the window's own, set
// through its published Rojo, Verde and Azul (per cent) and Barras75.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/BarStrip.h"
#include "app/ColorEntry.h"
#include "app/ColorSignals.h"
#include "app/Vectorscope.h"
#include "app/WaveformMonitor.h"
#include "platform/window/Form.h"

namespace tintoral {

class TExactValues;
class TForm1;
class TImage;
class TLabel;
class TPanel;
class TStandardsTable;

class TTestSignalsForm : public TForm {
  TINTORAL_CLASS(TTestSignalsForm, TForm)

 public:
  explicit TTestSignalsForm(TComponent* owner);
  TTestSignalsForm(TComponent* owner, std::string_view layoutText);
  ~TTestSignalsForm() override;

  // The window whose sliders this one follows and sets; nullptr: none.
  void SetMainWindow(TForm1* mainWindow);
  TForm1* MainWindow() const { return mainWindow_; }

  // Shows the window, or brings it to the front when it shows already.
  void Present();
  // Takes the colour of the main window's sliders (when shown).
  void FollowMainWindow();
  // Sets the colour: the main window's sliders when there is one (through
  // their user road, so that everything there follows), else this window's own.
  void ApplyColor(const TSliderColor& color);
  // The colour shown, and its signals.
  const TSliderColor& Color() const { return color_; }
  const TColorSignalValues& Signals() const { return signals_; }

  TBarSet SelectedSet() const { return selectedSet_; }
  void SelectSet(TBarSet set);
  // Applies bar `index` (0 … 7) of the selected set.
  void ChooseBar(int index);

  // The values as text for the clipboard: tab-separated, names first.
  std::string ValuesText() const;

  // Published for formshot.
  double Rojo() const { return color_.Red; }
  void SetRojo(double value);
  double Verde() const { return color_.Green; }
  void SetVerde(double value);
  double Azul() const { return color_.Blue; }
  void SetAzul(double value);
  bool Barras75() const { return selectedSet_ == TBarSet::Reduced; }
  void SetBarras75(bool value) { SelectSet(value ? TBarSet::Reduced : TBarSet::Full); }

  // Controls of the layout.
  TLabel* TituloBarras = nullptr;
  TPanel* MarcoBarras = nullptr;  // takes the focus for the bar keys
  TImage* Barras = nullptr;
  TLabel* BarraActual = nullptr;
  TLabel* TituloVectorscopio = nullptr;
  TImage* Vectorscopio = nullptr;
  TLabel* TituloFormaDeOnda = nullptr;
  TImage* FormaDeOnda = nullptr;
  TLabel* TituloNormas = nullptr;
  TPanel* Normas = nullptr;
  TLabel* TituloValores = nullptr;
  TPanel* Valores = nullptr;

  // The parts built on the panels (nullptr while the layout is read).
  const TStandardsTable* Standards() const { return standards_.get(); }
  const TExactValues* ExactValues() const { return exactValues_.get(); }

 protected:
  void KeyDown(std::uint16_t& key, TShiftState shift) override;
  bool DialogKey(std::uint16_t key, TShiftState shift) override;
  void DoShow() override;

 private:
  void PlaceBesideMainWindow();
  void ShowColor(const TSliderColor& color);
  void Redraw();
  void BarsMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  std::optional<TBarChoice> CurrentBar() const;

  TForm1* mainWindow_ = nullptr;
  TSliderColor color_;
  TColorSignalValues signals_ = ComputeColorSignals(0, 0, 0);  // of color_
  TVectorscopeSurface vectorscope_;
  TWaveformSurface waveform_;
  TBarSet selectedSet_ = TBarSet::Full;
  bool placed_ = false;
  // What the bar strip shows.
  bool stripDrawn_ = false;
  std::optional<TBarChoice> stripBar_;
  TBarSet stripSet_ = TBarSet::Full;
  std::unique_ptr<TStandardsTable> standards_;
  std::unique_ptr<TExactValues> exactValues_;
};

}  // namespace tintoral
