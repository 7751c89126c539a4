// Reading and writing a form stream the size of the main window: 45
// controls with a font and a colour each, and a 255-item glyph collection.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/GraphicsClasses.h"
#include "runtime/ClassBuilder.h"
#include "runtime/ClassRegistry.h"
#include "runtime/Component.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"

namespace tintoral {
namespace {

class TBenchGlyph : public TPersistent {
  TINTORAL_CLASS(TBenchGlyph, TPersistent)

 public:
  const std::string& Data() const { return data_; }
  void SetData(const std::string& value) { data_ = value; }

 private:
  std::string data_ = "4,4,4,4,4,0,4";
};

const TClassInfo& TBenchGlyph::StaticClass() {
  static const TClassInfo info = DescribeClass<TBenchGlyph>("TBenchGlyph", TPersistent::StaticClass(), [](auto& b) {
    b.Property("Data", &TBenchGlyph::Data, &TBenchGlyph::SetData);
  });
  return info;
}

class TBenchControl : public TComponent {
  TINTORAL_CLASS(TBenchControl, TComponent)

 public:
  explicit TBenchControl(TComponent* owner) : TComponent(owner) {}

  int Left() const { return left_; }
  void SetLeft(int value) { left_ = value; }
  int Width() const { return width_; }
  void SetWidth(int value) { width_ = value; }
  double Position() const { return position_; }
  void SetPosition(double value) { position_ = value; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value) { caption_ = value; }
  TColor Color() const { return color_; }
  void SetColor(TColor value) { color_ = value; }
  TFont* Font() { return &font_; }
  TNotifyEvent OnClick;
  std::vector<std::unique_ptr<TBenchGlyph>> glyphs;

 private:
  int left_ = 0;
  int width_ = 0;
  double position_ = 0;
  std::string caption_;
  TColor color_ = clBtnFace;
  TFont font_;
};

const TClassInfo& TBenchControl::StaticClass() {
  static const TClassInfo info = DescribeClass<TBenchControl>("TBenchControl", TComponent::StaticClass(), [](auto& b) {
    b.Property("Left", &TBenchControl::Left, &TBenchControl::SetLeft);
    b.Property("Width", &TBenchControl::Width, &TBenchControl::SetWidth);
    b.Property("Position", &TBenchControl::Position, &TBenchControl::SetPosition);
    b.Property("Caption", &TBenchControl::Caption, &TBenchControl::SetCaption);
    b.Property("Color", &TBenchControl::Color, &TBenchControl::SetColor).Default(clBtnFace).TypeName(kColorTypeName);
    b.Object("Font", &TBenchControl::Font);
    b.Event("OnClick", &TBenchControl::OnClick);
    b.StreamProperty(
        "Characters",
        [](TBenchControl& c, TReader& reader) {
          reader.ReadCollection([&c](int index) -> TPersistent& {
            while (static_cast<int>(c.glyphs.size()) <= index) c.glyphs.push_back(std::make_unique<TBenchGlyph>());
            return *c.glyphs[static_cast<std::size_t>(index)];
          });
        },
        [](const TBenchControl& c, TWriter& writer) {
          writer.WriteCollectionBegin();
          for (const auto& glyph : c.glyphs) {
            writer.WriteItemBegin();
            WriteStoredProperties(writer, *glyph);
            writer.WriteItemEnd();
          }
          writer.WriteCollectionEnd();
        },
        [](const TBenchControl& c) { return !c.glyphs.empty(); });
  });
  return info;
}

class TBenchForm : public TBenchControl {
  TINTORAL_CLASS(TBenchForm, TBenchControl)

 public:
  explicit TBenchForm(TComponent* owner) : TBenchControl(owner) {}
  void ControlClick(TObject*) {}
};

const TClassInfo& TBenchForm::StaticClass() {
  static const TClassInfo info = DescribeClass<TBenchForm>(
      "TBenchForm", TBenchControl::StaticClass(), [](auto& b) { b.Method("ControlClick", &TBenchForm::ControlClick); });
  return info;
}

std::string MainWindowSizedForm() {
  RegisterComponentClass<TBenchControl>();
  RegisterComponentClass<TBenchForm>();
  std::string text = "object Form1: TBenchForm\n  Caption = 'Tintoral'\n";
  for (int i = 0; i < 45; ++i) {
    text += "  object Control" + std::to_string(i) + ": TBenchControl\n";
    text += "    Left = " + std::to_string(8 * i) + "\n    Width = 65\n    Position = 100.0\n";
    text += "    Caption = 'Luminancia (Y):'\n    Color = clMaroon\n";
    text += "    Font.Height = -16\n    Font.Name = '911 Porscha'\n    Font.Style = [fsBold]\n";
    text += "    OnClick = ControlClick\n";
    if (i == 0) {
      text += "    Characters = <";
      for (int c = 0; c < 255; ++c) text += "\n      item\n        Data = '4,4,4,4,4,0,4'\n      end";
      text += ">\n";
    }
    text += "  end\n";
  }
  return text + "end\n";
}

void ReadMainWindowSizedForm(benchmark::State& state) {
  const std::string text = MainWindowSizedForm();
  for (auto _ : state) {
    std::unique_ptr<TComponent> form(ReadComponentText(text));
    benchmark::DoNotOptimize(form.get());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ReadMainWindowSizedForm);

void WriteMainWindowSizedForm(benchmark::State& state) {
  std::unique_ptr<TComponent> form(ReadComponentText(MainWindowSizedForm()));
  for (auto _ : state) benchmark::DoNotOptimize(WriteComponentText(*form));
}
BENCHMARK(WriteMainWindowSizedForm);

}  // namespace
}  // namespace tintoral
