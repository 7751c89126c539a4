#include "app/MainForm.h"

#include <cstdint>
#include <string>

#include "app/AboutBox.h"
#include "app/ColorSignals.h"
#include "app/MainWindowAccessibility.h"
#include "app/MainWindowKeys.h"
#include "app/MainWindowMenu.h"
#include "app/Resources.h"
#include "app/TestSignalsForm.h"
#include "app/VectorDiagram.h"
#include "app/WindowPicture.h"
#include "app/ZoomMemory.h"
#include "instruments/LCDMatrix.h"
#include "instruments/ObjectCanvas.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/SevenSegmentInteger.h"
#include "instruments/ShadowLabel.h"
#include "instruments/Slider.h"
#include "platform/window/AccessibleDescription.h"
#include "platform/window/Bevel.h"
#include "platform/window/Image.h"
#include "platform/window/Label.h"
#include "platform/window/PageControl.h"
#include "platform/window/Panel.h"
#include "platform/window/SpeedButton.h"
#include "runtime/ClassBuilder.h"
#include "runtime/NumberText.h"
#include "runtime/Windows1252.h"

namespace tintoral {

const TClassInfo& TForm1::StaticClass() {
  static const TClassInfo info = DescribeClass<TForm1>("TForm1", TForm::StaticClass(), [](auto& b) {
    using T = TForm1;
    b.Field("LCD_Main", &T::LCD_Main);
    b.Field("PageControl1", &T::PageControl1);
    b.Field("TabSheet1", &T::TabSheet1);
    b.Field("Bevel2", &T::Bevel2);
    b.Field("Luminancia", &T::Luminancia);
    b.Field("Vector", &T::Vector);
    b.Field("Bevel3", &T::Bevel3);
    b.Field("Panel1", &T::Panel1);
    b.Field("Bevel1", &T::Bevel1);
    b.Field("Label1", &T::Label1);
    b.Field("Label2", &T::Label2);
    b.Field("Label3", &T::Label3);
    b.Field("Label7", &T::Label7);
    b.Field("Label8", &T::Label8);
    b.Field("PanelY", &T::PanelY);
    b.Field("CursorVerde", &T::CursorVerde);
    b.Field("CursorAzul", &T::CursorAzul);
    b.Field("CursorRojo", &T::CursorRojo);
    b.Field("Panel", &T::Panel);
    b.Field("Panel2", &T::Panel2);
    b.Field("Label12", &T::Label12);
    b.Field("Label13", &T::Label13);
    b.Field("Label14", &T::Label14);
    b.Field("ValorRojo", &T::ValorRojo);
    b.Field("ValorVerde", &T::ValorVerde);
    b.Field("ValorAzul", &T::ValorAzul);
    b.Field("Panel3", &T::Panel3);
    b.Field("Label9", &T::Label9);
    b.Field("ValorLumi", &T::ValorLumi);
    b.Field("Panel4", &T::Panel4);
    b.Field("Label4", &T::Label4);
    b.Field("Label10", &T::Label10);
    b.Field("ValorR_Y", &T::ValorR_Y);
    b.Field("ValorV", &T::ValorV);
    b.Field("Panel5", &T::Panel5);
    b.Field("Label5", &T::Label5);
    b.Field("Label6", &T::Label6);
    b.Field("ValorB_Y", &T::ValorB_Y);
    b.Field("ValorU", &T::ValorU);
    b.Field("iLabel1", &T::iLabel1);
    b.Field("iLabel2", &T::iLabel2);
    b.Field("iLabel3", &T::iLabel3);
    b.Field("iLabel4", &T::iLabel4);
    b.Field("SpeedButton1", &T::SpeedButton1);
    b.Method("FormCreate", &T::FormCreate);
    b.Method("SpeedButton1Click", &T::SpeedButton1Click);
    b.Method("CursorRojoPositionChange", &T::CursorRojoPositionChange);
    b.Method("CursorVerdePositionChange", &T::CursorVerdePositionChange);
    b.Method("CursorAzulPositionChange", &T::CursorAzulPositionChange);
  });
  return info;
}

TForm1::TForm1(TComponent* owner) : TForm1(owner, MainFormText()) {}

TForm1::TForm1(TComponent* owner, std::string_view layoutText) : TForm(owner) {
  RegisterMainWindowAccessibility();
  LoadLayout(layoutText);
  SetKeyPreview(true);  // the window's own keys work wherever the focus is
}

TForm1::~TForm1() = default;

namespace {

// The banner, kept in reverse order, 31 characters of Windows-1252 text.
// "¡Señales de color en televisión" backwards.
constexpr char kBannerReversed[] =
    "n\xF3isivelet ne roloc ed sela\xF1"
    "eS\xA1";
constexpr int kBannerLength = 31;
static_assert(sizeof kBannerReversed - 1 == kBannerLength);

// The banner text restored position by position from its reversed table.
std::string BannerText() {
  std::string text(kBannerLength, ' ');
  for (int i = 1; i <= kBannerLength; ++i) text[i - 1] = kBannerReversed[kBannerLength - i];
  return text;
}

std::int32_t RoundedPercent(double position) { return static_cast<std::int32_t>(RoundHalfAway(position)); }

}  // namespace

// Applies the colour signals of the three positions to the controls, in
// order: the swatches, the luminance, R-Y and V (from the value R-Y holds),
// B-Y and U (from the value B-Y holds), then the diagram from the values V
// and U hold.
void TForm1::Refrescar() {
  const TColorSignalValues s =
      ComputeColorSignals(CursorRojo->Position(), CursorVerde->Position(), CursorAzul->Position());
  Panel->SetBackGroundColor(s.SwatchColor);
  PanelY->SetBackGroundColor(s.GreySwatchColor);
  ValorLumi->SetValue(s.LumaShown);
  ValorR_Y->SetValue(s.RMinusY);
  ValorV->SetValue(ChromaV(ValorR_Y->Value()));
  ValorB_Y->SetValue(s.BMinusY);
  ValorU->SetValue(ChromaU(ValorB_Y->Value()));
  Vector->DrawOnPicture(
      [&](TCanvas& canvas) { return vectorDiagram_.Redraw(canvas, ValorU->Value(), ValorV->Value()); });
}

// Runs once the whole layout is loaded: the first refresh, then the banner.
void TForm1::FormCreate(TObject*) {
  Refrescar();
  LCD_Main->SetText(BannerText());
}

void TForm1::CursorRojoPositionChange(TObject*) {
  Refrescar();
  ValorRojo->SetValue(RoundedPercent(CursorRojo->Position()));
  SlidersChanged();
}

void TForm1::CursorVerdePositionChange(TObject*) {
  Refrescar();
  ValorVerde->SetValue(RoundedPercent(CursorVerde->Position()));
  SlidersChanged();
}

void TForm1::CursorAzulPositionChange(TObject*) {
  Refrescar();
  ValorAzul->SetValue(RoundedPercent(CursorAzul->Position()));
  SlidersChanged();
}

void TForm1::SlidersChanged() {
  if (testSignals_) testSignals_->FollowMainWindow();
}

void TForm1::SpeedButton1Click(TObject*) {
  if (aboutBox_) aboutBox_->ShowModalOver(*this);
}

void TForm1::UseRememberedZoom() {
  EnableZoom();
  SetZoom(RememberedZoom());
}

void TForm1::ChangeZoom(int factor) {
  if (!ZoomEnabled()) return;
  SetZoom(factor);
  RememberZoom(Zoom());
}

void TForm1::KeyDown(std::uint16_t& key, TShiftState shift) {
  const TMainWindowCommand command = MainWindowCommandOf(key, shift);
  if (command == TMainWindowCommand::None) {
    TForm::KeyDown(key, shift);
    return;
  }
  key = 0;  // taken: the focused control does not see it
  RunCommand(command);
}

void TForm1::RunCommand(TMainWindowCommand command) {
  switch (command) {
    case TMainWindowCommand::About: SpeedButton1Click(this); break;
    case TMainWindowCommand::ZoomIn: ChangeZoom(Zoom() + 1); break;
    case TMainWindowCommand::ZoomOut: ChangeZoom(Zoom() - 1); break;
    case TMainWindowCommand::ZoomReset: ChangeZoom(1); break;
    case TMainWindowCommand::FullScreen:
      if (ZoomEnabled()) SetFullScreen(!FullScreen());
      break;
    case TMainWindowCommand::TestSignals: ShowTestSignals(); break;
    case TMainWindowCommand::SavePicture:
      SaveWindowPictureAs(*this, PictureFileName("tintoral", {CursorRojo->Position(), CursorVerde->Position(),
                                                              CursorAzul->Position()}));
      break;
    case TMainWindowCommand::CopyValues: CopyTextToClipboard(ValuesText()); break;
    case TMainWindowCommand::None: break;
  }
}

void TForm1::ShowTestSignals() {
  if (!testSignals_) {
    testSignals_ = std::make_unique<TTestSignalsForm>(nullptr);
    testSignals_->SetMainWindow(this);
  }
  testSignals_->Present();
}

void TForm1::WindowCreated() {
  TForm::WindowCreated();
  InstallMainWindowMenu(*this);
}

// The readouts' texts as they show (what a screen reader reads), and the
// diagram's angle and modulus.
std::string TForm1::ValuesText() const {
  std::vector<std::string> names, values;
  const auto add = [&](const TControl* readout, std::string name) {
    const TAccessibleDescriber* describer = FindAccessibleDescriber(*readout);
    names.push_back(std::move(name));
    values.push_back(describer ? Utf16ToWindows1252(describer->ShownText(*readout).value_or(u"")) : "");
  };
  add(ValorRojo, "R");
  add(ValorVerde, "G");
  add(ValorAzul, "B");
  add(ValorLumi, "Luminancia (Y)");
  add(ValorR_Y, "R-Y");
  add(ValorV, "V");
  add(ValorB_Y, "B-Y");
  add(ValorU, "U");
  const TChromaVector vector = ComputeChromaVector(ValorU->Value(), ValorV->Value());
  names.insert(names.end(), {"Ang", "Mod"});
  values.insert(values.end(), {vector.AngleText, vector.ModulusText});
  return TabSeparated({names, values});
}

}  // namespace tintoral
