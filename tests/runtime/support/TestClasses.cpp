#include "tests/runtime/support/TestClasses.h"

#include "runtime/ClassBuilder.h"
#include "runtime/ClassRegistry.h"
#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"
#include "runtime/IdentMap.h"

namespace tintoral::test {

const TEnumType& EnumTypeOf(TTestShape) {
  static const TEnumType type("TTestShape", {"tsCircle", "tsSquare", "tsTriangle"});
  return type;
}

const TClassInfo& TTestPen::StaticClass() {
  static const TClassInfo info = DescribeClass<TTestPen>("TTestPen", TPersistent::StaticClass(), [](auto& b) {
    b.Property("Width", &TTestPen::Width, &TTestPen::SetWidth).Default(1);
    b.Property("Label", &TTestPen::Label, &TTestPen::SetLabel);
  });
  return info;
}

void TTestPen::Assign(const TPersistent& source) {
  const auto* pen = dynamic_cast<const TTestPen*>(&source);
  if (!pen) return TPersistent::Assign(source);
  width_ = pen->width_;
  label_ = pen->label_;
}

const TClassInfo& TTestGlyph::StaticClass() {
  static const TClassInfo info = DescribeClass<TTestGlyph>("TTestGlyph", TPersistent::StaticClass(), [](auto& b) {
    b.Property("Data", &TTestGlyph::Data, &TTestGlyph::SetData);
    b.Property("Size", &TTestGlyph::Size, &TTestGlyph::SetSize).Default(0);
  });
  return info;
}

std::int32_t TTestGlyph::Size() const {
  if (data_ == "bad") throw InvalidOperation("bad glyph");
  return size_;
}

const TClassInfo& TTestBase::StaticClass() {
  static const TClassInfo info = DescribeClass<TTestBase>("TTestBase", TComponent::StaticClass(), [](auto& b) {
    b.Property("Visible", &TTestBase::Visible, &TTestBase::SetVisible).Default(true);
    b.Property("Count", &TTestBase::Count, &TTestBase::SetCount);
    b.Property("Ratio", &TTestBase::Ratio, &TTestBase::SetRatio);
    b.Property("Caption", &TTestBase::Caption, &TTestBase::SetCaption);
    b.Property("Shape", &TTestBase::Shape, &TTestBase::SetShape).Default(tsCircle);
    b.Property("Color", &TTestBase::Color, &TTestBase::SetColor).Default(0x0000FF).TypeName("TTestColor");
  });
  return info;
}

void TTestBase::Loaded() {
  log.push_back(std::string("Loaded ") + (IsLoading() ? "loading" : "not loading"));
  TComponent::Loaded();
  if (caption_ == "fail in Loaded") throw InvalidOperation("Loaded failed");
}

void TTestBase::SetParentComponent(TComponent* parent) {
  log.push_back("Parent " + (parent ? parent->Name() : std::string("none")) + (IsLoading() ? " loading" : ""));
  parent_ = parent;
}

void TTestBase::GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const {
  if (!root) return;
  for (int i = 0; i < root->ComponentCount(); ++i) {
    TComponent* component = root->Components(i);
    const TComponent* parent = component->GetParentComponent();
    if (parent == this || (this == root && !parent)) proc(component);
  }
}

const TClassInfo& TTestGauge::StaticClass() {
  static const TClassInfo info = DescribeClass<TTestGauge>("TTestGauge", TTestBase::StaticClass(), [](auto& b) {
    b.Property("Position", &TTestGauge::Position, &TTestGauge::SetPosition);
    b.Property("PositionMax", &TTestGauge::PositionMax, &TTestGauge::SetPositionMax);
    b.Set("Options", &TTestGauge::Options, &TTestGauge::SetOptions, {"goLeft", "goRight", "goUp", "goDown"});
    b.Property("Letter", &TTestGauge::Letter, &TTestGauge::SetLetter).Default('a');
    b.Property("Big", &TTestGauge::Big, &TTestGauge::SetBig).Default(0);
    b.Property("Precise", &TTestGauge::Precise, &TTestGauge::SetPrecise);
    b.Property("Value", &TTestGauge::Value, &TTestGauge::SetValue);
    b.Property("Version", &TTestGauge::Version);
    b.Property("Hidden", &TTestGauge::Hidden, &TTestGauge::SetHidden).Stored([](const TTestGauge& g) {
      return g.Hidden() > 0;
    });
    b.Object("Pen", &TTestGauge::Pen, &TTestGauge::SetPen);
    b.Object("Buddy", &TTestGauge::Buddy, &TTestGauge::SetBuddy);
    b.Event("OnChange", &TTestGauge::OnChange, &TTestGauge::SetOnChange);
    b.Event("OnLimit", &TTestGauge::OnLimit);
    b.StreamProperty("PositionMax_2", &TTestGauge::ReadPositionMax2, &TTestGauge::WritePositionMax2);
    b.StreamProperty("Characters", &TTestGauge::ReadGlyphs, &TTestGauge::WriteGlyphs,
                     [](const TTestGauge& g) { return !g.glyphs_.empty(); });
    b.StreamProperty(
        "Items",
        [](TTestGauge& g, TReader& reader) {
          g.items.clear();
          reader.ReadListBegin();
          while (!reader.EndOfList()) g.items.push_back(reader.ReadString());
          reader.ReadListEnd();
        },
        [](const TTestGauge& g, TWriter& writer) {
          writer.WriteListBegin();
          for (const std::string& item : g.items) writer.WriteString(item);
          writer.WriteListEnd();
        },
        [](const TTestGauge& g) { return !g.items.empty(); });
    b.BinaryProperty(
        "Data", [](TTestGauge& g, const std::vector<std::uint8_t>& bytes) { g.data = bytes; },
        [](const TTestGauge& g) { return g.data; }, [](const TTestGauge& g) { return !g.data.empty(); });
  });
  return info;
}

TTestGauge::TTestGauge(TComponent* owner) : TTestBase(owner) {}

void TTestGauge::SetPosition(double value) {
  // Outside loading the position is clamped, as instruments do.
  if (!IsLoading() && value > positionMax_) value = positionMax_;
  position_ = value;
  if (!IsLoading()) onChange_(this);
}

void TTestGauge::ReadPositionMax2(TReader& reader) { positionMax_ = reader.ReadDouble(); }

void TTestGauge::WritePositionMax2(TWriter& writer) const { writer.WriteFloat(positionMax_, ftDouble); }

void TTestGauge::ReadGlyphs(TReader& reader) {
  reader.ReadCollection([this](int index) -> TPersistent& {
    if (index >= 4) throw ListIndexError("List index out of bounds (" + std::to_string(index) + ")");
    while (static_cast<int>(glyphs_.size()) <= index) glyphs_.push_back(std::make_unique<TTestGlyph>());
    return *glyphs_[static_cast<std::size_t>(index)];
  });
}

void TTestGauge::WriteGlyphs(TWriter& writer) const {
  writer.WriteCollectionBegin();
  for (const auto& glyph : glyphs_) {
    writer.WriteItemBegin();
    WriteStoredProperties(writer, *glyph);
    writer.WriteItemEnd();
  }
  writer.WriteCollectionEnd();
}

const TClassInfo& TTestForm::StaticClass() {
  static const TClassInfo info = DescribeClass<TTestForm>("TTestForm", TTestBase::StaticClass(), [](auto& b) {
    b.Method("GaugeChange", &TTestForm::GaugeChange);
    b.Method("GaugeLimit", &TTestForm::GaugeLimit);
    b.Field("Gauge1", &TTestForm::Gauge1);
    b.Field("Panel1", &TTestForm::Panel1);
  });
  return info;
}

void RegisterTestClasses() {
  RegisterComponentClass<TTestBase>();
  RegisterComponentClass<TTestGauge>();
  RegisterComponentClass<TTestForm>();
  RegisterIntegerIdents("TTestColor", {{0x0000FF, "tcRed"}, {0x00FF00, "tcGreen"}, {-16777201, "tcBtnFace"}});
}

}  // namespace tintoral::test
