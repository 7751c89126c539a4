#include "app/TestSignalsAccessibility.h"

#include <memory>
#include <string>
#include <vector>

#include "app/ColorSignals.h"
#include "app/EntryField.h"
#include "app/ExactValues.h"
#include "app/StandardsTable.h"
#include "app/TestSignalsForm.h"
#include "app/WaveformMonitor.h"
#include "platform/window/AccessibleDescription.h"
#include "platform/window/Image.h"
#include "platform/window/Label.h"
#include "platform/window/Panel.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

const TTestSignalsForm& WindowOf(const TControl& control) {
  return static_cast<const TTestSignalsForm&>(*const_cast<TControl&>(control).Root());
}

class TEntryFieldDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::EditableText; }
  std::u16string Name(const TControl& control) const override {
    return Windows1252ToUtf16(static_cast<const TEntryField&>(control).FieldName());
  }
  std::u16string NameWithCaption(const TControl& control, const std::u16string&) const override {
    return Name(control);
  }
  std::u16string Value(const TControl& control) const override {
    return Windows1252ToUtf16(static_cast<const TEntryField&>(control).Text());
  }
  std::optional<std::u16string> ShownText(const TControl& control) const override { return Value(control); }
};

class TBarStripDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::Graphic; }
  std::u16string Name(const TControl& control) const override {
    return u"Barras de color, " + Windows1252ToUtf16(WindowOf(control).BarraActual->Caption());
  }
  std::u16string Description(const TControl&) const override {
    std::string names;
    for (int i = 0; i < kColorBarCount; ++i)
      names += std::to_string(i + 1) + " " + std::string(ColorBars()[i].Name) + (i + 1 < kColorBarCount ? ", " : "");
    return Windows1252ToUtf16(names);
  }
};

class TVectorscopeDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::Graphic; }
  std::u16string Name(const TControl& control) const override {
    const TSliderColor& c = WindowOf(control).Color();
    const TColorSignalValues s = ComputeColorSignals(c.Red, c.Green, c.Blue);
    return Windows1252ToUtf16("Vectorscopio U: " + SignalText(s.U, true) + " V: " + SignalText(s.V, true));
  }
};

class TWaveformDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl&) const override { return TAccessibleRole::Graphic; }
  std::u16string Name(const TControl& control) const override {
    const TTestSignalsForm& form = WindowOf(control);
    return Windows1252ToUtf16(WaveformSummary(form.SelectedSet(), form.Signals()));
  }
};

class TTestSignalsDescriber : public TAccessibleDescriber {
 public:
  TAccessibleRole Role(const TControl& window) const override { return DefaultAccessibleDescriber().Role(window); }
  std::u16string Name(const TControl& window) const override { return DefaultAccessibleDescriber().Name(window); }

  std::vector<TAccessibleCaption> Captions(const TControl& window) const override {
    const auto& form = static_cast<const TTestSignalsForm&>(window);
    std::vector<TAccessibleCaption> captions;
    if (const TExactValues* values = form.ExactValues())
      for (TEntryField* field : values->Fields()) captions.push_back({field, values->CaptionOf(*field)});
    return captions;
  }

  const TAccessibleDescriber* DescriberOf(const TControl& window, const TControl& control) const override {
    const auto& form = static_cast<const TTestSignalsForm&>(window);
    if (&control == form.MarcoBarras) return &bars_;
    if (&control == form.Vectorscopio) return &scope_;
    if (&control == form.FormaDeOnda) return &waveform_;
    return nullptr;
  }

 private:
  TBarStripDescriber bars_;
  TVectorscopeDescriber scope_;
  TWaveformDescriber waveform_;
};

}  // namespace

void RegisterTestSignalsAccessibility() {
  static const bool registered =
      (RegisterAccessibleDescriber<TTestSignalsForm>(std::make_shared<TTestSignalsDescriber>()),
       RegisterAccessibleDescriber<TEntryField>(std::make_shared<TEntryFieldDescriber>()), true);
  (void)registered;
}

}  // namespace tintoral
