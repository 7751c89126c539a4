#include "app/TestSignalsForm.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "app/AboutBox.h"
#include "app/ColorSignals.h"
#include "app/EntryField.h"
#include "app/ExactValues.h"
#include "app/MainForm.h"
#include "app/MainWindowKeys.h"
#include "app/Resources.h"
#include "app/StandardsTable.h"
#include "app/TestSignalsAccessibility.h"
#include "app/Vectorscope.h"
#include "app/WindowPicture.h"
#include "instruments/Slider.h"
#include "platform/window/ControlWidget.h"
#include "platform/window/Image.h"
#include "platform/window/Label.h"
#include "platform/window/Panel.h"
#include "runtime/ClassBuilder.h"

namespace tintoral {

const TClassInfo& TTestSignalsForm::StaticClass() {
  static const TClassInfo info = DescribeClass<TTestSignalsForm>("TTestSignalsForm", TForm::StaticClass(), [](auto& b) {
    using T = TTestSignalsForm;
    b.Property("Azul", &T::Azul, &T::SetAzul);
    b.Property("Barras75", &T::Barras75, &T::SetBarras75).Default(false);
    b.Property("Rojo", &T::Rojo, &T::SetRojo);
    b.Property("Verde", &T::Verde, &T::SetVerde);
    b.Field("TituloBarras", &T::TituloBarras);
    b.Field("MarcoBarras", &T::MarcoBarras);
    b.Field("Barras", &T::Barras);
    b.Field("BarraActual", &T::BarraActual);
    b.Field("TituloVectorscopio", &T::TituloVectorscopio);
    b.Field("Vectorscopio", &T::Vectorscopio);
    b.Field("TituloFormaDeOnda", &T::TituloFormaDeOnda);
    b.Field("FormaDeOnda", &T::FormaDeOnda);
    b.Field("TituloNormas", &T::TituloNormas);
    b.Field("Normas", &T::Normas);
    b.Field("TituloValores", &T::TituloValores);
    b.Field("Valores", &T::Valores);
  });
  return info;
}

TTestSignalsForm::TTestSignalsForm(TComponent* owner) : TTestSignalsForm(owner, TestSignalsFormText()) {}

TTestSignalsForm::TTestSignalsForm(TComponent* owner, std::string_view layoutText) : TForm(owner) {
  RegisterTestSignalsAccessibility();
  LoadLayout(layoutText);
  standards_ = std::make_unique<TStandardsTable>(*Normas);
  exactValues_ = std::make_unique<TExactValues>(*Valores, [this](const TSliderColor& c) { ApplyColor(c); });
  Barras->SetOnMouseDown([this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
    BarsMouseDown(sender, button, shift, x, y);
  });
  EnableZoom();
  ShowColor(color_);
}

TTestSignalsForm::~TTestSignalsForm() = default;

void TTestSignalsForm::SetMainWindow(TForm1* mainWindow) {
  mainWindow_ = mainWindow;
  FollowMainWindow();
}

void TTestSignalsForm::FollowMainWindow() {
  if (!mainWindow_ || !Visible()) return;
  ShowColor(
      {mainWindow_->CursorRojo->Position(), mainWindow_->CursorVerde->Position(), mainWindow_->CursorAzul->Position()});
}

// At the first showing: beside the main window, right of it when the screen
// has room there, else below it, so that it covers nothing of it; where the
// layout says otherwise.
void TTestSignalsForm::PlaceBesideMainWindow() {
  const QWidget* main = mainWindow_ ? mainWindow_->Widget() : nullptr;
  const QScreen* screen = main ? main->screen() : nullptr;
  if (!main || !screen) return;
  const QRect area = screen->availableGeometry(), beside = main->frameGeometry();
  const int width = Width() * Zoom(), height = Height() * Zoom();
  if (beside.right() + 1 + width <= area.right() + 1) {
    SetBounds(beside.right() + 1, std::max(area.top(), beside.top()), Width(), Height());
  } else if (beside.bottom() + 1 + height <= area.bottom() + 1) {
    SetBounds(std::max(area.left(), beside.left()), beside.bottom() + 1, Width(), Height());
  }
}

void TTestSignalsForm::Present() {
  if (!placed_) {
    placed_ = true;
    PlaceBesideMainWindow();
  }
  Show();
  if (QWidget* window = Widget()) {
    window->raise();
    window->activateWindow();
  }
}

void TTestSignalsForm::DoShow() {
  FollowMainWindow();
  TForm::DoShow();
}

// Each slider as the user moves it: the main window refreshes after each,
// and calls FollowMainWindow.
void TTestSignalsForm::ApplyColor(const TSliderColor& color) {
  if (!mainWindow_) {
    ShowColor(color);
    return;
  }
  mainWindow_->CursorRojo->SetPositionAsUser(color.Red);
  mainWindow_->CursorVerde->SetPositionAsUser(color.Green);
  mainWindow_->CursorAzul->SetPositionAsUser(color.Blue);
}

void TTestSignalsForm::SetRojo(double value) { ShowColor({value, color_.Green, color_.Blue}); }
void TTestSignalsForm::SetVerde(double value) { ShowColor({color_.Red, value, color_.Blue}); }
void TTestSignalsForm::SetAzul(double value) { ShowColor({color_.Red, color_.Green, value}); }

void TTestSignalsForm::SelectSet(TBarSet set) {
  if (set == selectedSet_) return;
  selectedSet_ = set;
  Redraw();
}

void TTestSignalsForm::ChooseBar(int index) {
  if (index >= 0 && index < kColorBarCount) ApplyColor(BarColor(selectedSet_, index));
}

std::optional<TBarChoice> TTestSignalsForm::CurrentBar() const {
  return BarOfLevels(selectedSet_, signals_.Red8, signals_.Green8, signals_.Blue8);
}

void TTestSignalsForm::ShowColor(const TSliderColor& color) {
  const bool changed = !(color == color_);
  color_ = color;
  signals_ = ComputeColorSignals(color_.Red, color_.Green, color_.Blue);
  if (standards_ && exactValues_) {
    standards_->Show(color_);
    if (changed || exactValues_->HexField().Text().empty()) exactValues_->Show(color_);
  }
  Redraw();
}

// Only what the colour changes: the strip's frame when it moves to another
// bar (the whole strip for another set), the vectorscope's vector and
// texts, the waveform's "Actual" column.
void TTestSignalsForm::Redraw() {
  const std::optional<TBarChoice> bar = CurrentBar();
  if (!stripDrawn_ || selectedSet_ != stripSet_) {
    Barras->DrawOnPicture([&](TCanvas& canvas) { return DrawBarStrip(canvas, selectedSet_, bar); });
  } else if (bar != stripBar_) {
    Barras->DrawPartsOnPicture([&](TCanvas& canvas) { return MoveBarFrame(canvas, stripBar_, bar); });
  }
  stripDrawn_ = true;
  stripBar_ = bar;
  stripSet_ = selectedSet_;
  Vectorscopio->DrawPartsOnPicture([&](TCanvas& canvas) { return vectorscope_.Redraw(canvas, signals_); });
  FormaDeOnda->DrawOnPicture([&](TCanvas& canvas) { return waveform_.Redraw(canvas, selectedSet_, signals_); });
  BarraActual->SetCaption(bar ? "Barra: " + std::string(ColorBars()[bar->Index].Name) +
                                    (bar->Set == TBarSet::Full ? " 100 %" : " 75 %")
                              : std::string("Ninguna barra"));
}

void TTestSignalsForm::BarsMouseDown(TObject*, TMouseButton button, TShiftState, int x, int y) {
  const std::optional<TBarChoice> bar = button == mbLeft ? BarAt(x, y) : std::nullopt;
  if (!bar) return;
  if (MarcoBarras->CanFocus()) MarcoBarras->SetFocus();  // the bar keys work from here on
  selectedSet_ = bar->Set;
  ApplyColor(BarColor(bar->Set, bar->Index));
  Redraw();
}

std::string TTestSignalsForm::ValuesText() const {
  std::vector<std::string> header{"Norma"};
  for (const std::string& name : TStandardsTable::ValueRowNames()) header.push_back(name);
  std::vector<std::vector<std::string>> rows{header};
  for (auto& row : standards_->ValueRows()) rows.push_back(row);
  return TabSeparated(rows);
}

// Escape hides the window, unless a field takes it back to its text.
bool TTestSignalsForm::DialogKey(std::uint16_t key, TShiftState shift) {
  if (key == VK_ESCAPE && shift.Empty()) {
    Close();
    return true;
  }
  return TForm::DialogKey(key, shift);
}

void TTestSignalsForm::KeyDown(std::uint16_t& key, TShiftState shift) {
  const bool typing = dynamic_cast<TEntryField*>(ActiveControl()) != nullptr;
  const bool plain = shift.Empty();
  if (plain && !typing && key >= '1' && key <= '8') {
    ChooseBar(key - '1');
    key = 0;
    return;
  }
  if (plain && !typing && key == '0') {
    SelectSet(selectedSet_ == TBarSet::Full ? TBarSet::Reduced : TBarSet::Full);
    key = 0;
    return;
  }
  const TMainWindowCommand command = MainWindowCommandOf(key, shift);
  switch (command) {
    case TMainWindowCommand::None:
    case TMainWindowCommand::TestSignals: TForm::KeyDown(key, shift); return;
    case TMainWindowCommand::About:
      if (mainWindow_ && mainWindow_->AboutBox()) mainWindow_->AboutBox()->ShowModalOver(*this);
      break;
    case TMainWindowCommand::ZoomIn: SetZoom(Zoom() + 1); break;
    case TMainWindowCommand::ZoomOut: SetZoom(Zoom() - 1); break;
    case TMainWindowCommand::ZoomReset: SetZoom(1); break;
    case TMainWindowCommand::FullScreen: SetFullScreen(!FullScreen()); break;
    case TMainWindowCommand::SavePicture:
      SaveWindowPictureAs(*this, PictureFileName("senales-de-prueba", color_));
      break;
    case TMainWindowCommand::CopyValues: CopyTextToClipboard(ValuesText()); break;
  }
  key = 0;
}

}  // namespace tintoral
