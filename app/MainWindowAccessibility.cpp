#include "app/MainWindowAccessibility.h"

#include <memory>
#include <string>
#include <vector>

#include "app/AboutBox.h"
#include "app/ColorEntry.h"
#include "app/ColorSignals.h"
#include "app/MainForm.h"
#include "app/VectorDiagram.h"
#include "instruments/ObjectCanvas.h"
#include "instruments/SevenSegmentAnalog.h"
#include "instruments/SevenSegmentInteger.h"
#include "instruments/Slider.h"
#include "platform/window/AccessibleDescription.h"
#include "platform/window/AccessibleStandardControls.h"
#include "platform/window/Image.h"
#include "platform/window/Label.h"
#include "platform/window/PageControl.h"
#include "platform/window/SpeedButton.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

const TForm1& MainWindowOf(const TControl& control) {
  return static_cast<const TForm1&>(*const_cast<TControl&>(control).Root());
}

// The diagram's texts as drawn: the angle line, then the modulus line.
std::u16string DiagramLines(const TForm1& form, char16_t separator) {
  if (!form.ValorU || !form.ValorV) return {};
  const TChromaVector vector = ComputeChromaVector(form.ValorU->Value(), form.ValorV->Value());
  return Windows1252ToUtf16(std::string(kAngleCaption) + ' ' + vector.AngleText) + separator +
         Windows1252ToUtf16(std::string(kModulusCaption) + ' ' + vector.ModulusText);
}

// The vector diagram: read from the same U and V values it is drawn from.
class TVectorDiagramDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::Graphic; }
  std::u16string Name(const TControl& control) const override { return DiagramLines(MainWindowOf(control), u' '); }
  std::u16string Description(const TControl& control) const override {
    const TForm1& form = MainWindowOf(control);
    return ReadoutName(*form.ValorU) + u' ' + ReadoutName(*form.ValorV);
  }
  std::optional<std::u16string> ShownText(const TControl& control) const override {
    return DiagramLines(MainWindowOf(control), u'\n');
  }

 private:
  static std::u16string ReadoutName(const TControl& readout) {
    const TAccessibleDescriber* describer = FindAccessibleDescriber(readout);
    return describer ? AccessibleName(*describer, readout) : std::u16string();
  }
};

// A swatch: a graphic named by its colour as text ("Color #FF0000"), its
// 8-bit levels as the description.
class TSwatchDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::Graphic; }
  std::u16string Name(const TControl& control) const override {
    return Windows1252ToUtf16(ColorHexText(Color(control)));
  }
  std::u16string Description(const TControl& control) const override {
    const TColor c = Color(control);
    return Windows1252ToUtf16("R " + std::to_string(c & 0xFF) + ", G " + std::to_string((c >> 8) & 0xFF) + ", B " +
                              std::to_string((c >> 16) & 0xFF));
  }
  std::u16string Value(const TControl& control) const override { return Name(control); }

 private:
  static TColor Color(const TControl& control) { return static_cast<const TiObjectCanvas&>(control).BackGroundColor(); }
};

// The page control, which has the focus as the window starts: the tab of
// its one page, named by the page's caption.
class TPageTabDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::PageTab; }
  std::u16string Name(const TControl& control) const override {
    const TTabSheet* page = static_cast<const TPageControl&>(control).ActivePage();
    return page ? Windows1252ToUtf16(TextWithoutPrefixMarks(page->Caption())) : std::u16string();
  }
};

// The question-mark button shows only a glyph: named after the box it opens.
class TAboutButtonDescriber : public TSpeedButtonDescriber {
 public:
  std::u16string Name(const TControl& control) const override {
    const TAboutBox* box = MainWindowOf(control).AboutBox();
    return box ? Windows1252ToUtf16(box->Caption()) : TSpeedButtonDescriber::Name(control);
  }
};

class TMainWindowDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl& window) const override { return DefaultAccessibleDescriber().Role(window); }
  std::u16string Name(const TControl& window) const override { return DefaultAccessibleDescriber().Name(window); }

  std::vector<TAccessibleCaption> Captions(const TControl& window) const override {
    const auto& f = static_cast<const TForm1&>(window);
    return {{f.CursorRojo, f.Label1}, {f.CursorVerde, f.Label3}, {f.CursorAzul, f.Label2},  {f.Panel, f.Label7},
            {f.PanelY, f.Label8},     {f.ValorRojo, f.Label12},  {f.ValorVerde, f.Label13}, {f.ValorAzul, f.Label14},
            {f.ValorLumi, f.Label9},  {f.ValorR_Y, f.Label4},    {f.ValorV, f.Label10},     {f.ValorB_Y, f.Label5},
            {f.ValorU, f.Label6}};
  }

  const TAccessibleDescriber* DescriberOf(const TControl& window, const TControl& control) const override {
    const auto& form = static_cast<const TForm1&>(window);
    if (&control == form.Vector) return &diagram_;
    if (&control == form.SpeedButton1) return &aboutButton_;
    if (&control == form.Panel || &control == form.PanelY) return &swatch_;
    if (&control == form.PageControl1) return &pageTab_;
    return nullptr;
  }

 private:
  TVectorDiagramDescriber diagram_;
  TAboutButtonDescriber aboutButton_;
  TSwatchDescriber swatch_;
  TPageTabDescriber pageTab_;
};

}  // namespace

void RegisterMainWindowAccessibility() {
  static const bool registered = (RegisterAccessibleDescriber<TForm1>(std::make_shared<TMainWindowDescriber>()), true);
  (void)registered;
}

}  // namespace tintoral
