#pragma once
// Small component classes used by the runtime tests: they publish one
// property of every kind, an event, extra stream properties and a collection.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/Component.h"
#include "runtime/Event.h"
#include "runtime/PropertyInfo.h"
#include "runtime/Variant.h"

namespace tintoral::test {

enum TTestShape : int { tsCircle, tsSquare, tsTriangle };
const TEnumType& EnumTypeOf(TTestShape);

// A persistent sub-object published as "Pen".
class TTestPen : public TPersistent {
  TINTORAL_CLASS(TTestPen, TPersistent)

 public:
  std::int32_t Width() const { return width_; }
  void SetWidth(std::int32_t value) { width_ = value; }
  const std::string& Label() const { return label_; }
  void SetLabel(const std::string& value) { label_ = value; }
  void Assign(const TPersistent& source) override;

 private:
  std::int32_t width_ = 1;
  std::string label_;
};

// A collection item: one string property, written by WriteStoredProperties.
class TTestGlyph : public TPersistent {
  TINTORAL_CLASS(TTestGlyph, TPersistent)

 public:
  const std::string& Data() const { return data_; }
  void SetData(const std::string& value) { data_ = value; }
  // Raises InvalidOperation while Data is "bad".
  std::int32_t Size() const;
  void SetSize(std::int32_t value) { size_ = value; }

 private:
  std::string data_;
  std::int32_t size_ = 0;
};

class TTestBase : public TComponent {
  TINTORAL_CLASS(TTestBase, TComponent)

 public:
  explicit TTestBase(TComponent* owner) : TComponent(owner) { ++liveCount; }
  ~TTestBase() override { --liveCount; }
  // Instances alive, to check that failed reads leave nothing behind.
  static inline int liveCount = 0;

  bool Visible() const { return visible_; }
  void SetVisible(bool value) { visible_ = value; }
  std::int32_t Count() const { return count_; }
  void SetCount(std::int32_t value) { count_ = value; }
  double Ratio() const { return ratio_; }
  void SetRatio(double value) { ratio_ = value; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value) { caption_ = value; }
  TTestShape Shape() const { return shape_; }
  void SetShape(TTestShape value) { shape_ = value; }
  std::int32_t Color() const { return color_; }
  void SetColor(std::int32_t value) { color_ = value; }

  // Every hook the reader calls, in order, for the tests to compare.
  std::vector<std::string> log;
  void Loaded() override;
  // A parent link like the window layer's: nested objects are written inside
  // their parent.
  bool HasParent() const override { return parent_ != nullptr; }
  TComponent* GetParentComponent() const override { return parent_; }
  void SetParentComponent(TComponent* parent) override;
  void GetChildren(const std::function<void(TComponent*)>& proc, const TComponent* root) const override;

 private:
  bool visible_ = true;
  std::int32_t count_ = 0;
  double ratio_ = 0;
  std::string caption_;
  TTestShape shape_ = tsCircle;
  std::int32_t color_ = 0x0000FF;
  TComponent* parent_ = nullptr;
};

class TTestGauge : public TTestBase {
  TINTORAL_CLASS(TTestGauge, TTestBase)

 public:
  explicit TTestGauge(TComponent* owner);

  double Position() const { return position_; }
  void SetPosition(double value);
  double PositionMax() const { return positionMax_; }
  void SetPositionMax(double value) { positionMax_ = value; }
  std::uint8_t Options() const { return options_; }
  void SetOptions(std::uint8_t value) { options_ = value; }
  char Letter() const { return letter_; }
  void SetLetter(char value) { letter_ = value; }
  std::int64_t Big() const { return big_; }
  void SetBig(std::int64_t value) { big_ = value; }
  long double Precise() const { return precise_; }
  void SetPrecise(long double value) { precise_ = value; }
  const TVariant& Value() const { return value_; }
  void SetValue(const TVariant& value) { value_ = value; }
  std::int32_t Version() const { return 3; }  // read-only
  std::int32_t Hidden() const { return hidden_; }
  void SetHidden(std::int32_t value) { hidden_ = value; }
  TTestPen* Pen() { return pen_.get(); }
  TTestBase* Buddy() const { return buddy_; }
  void SetBuddy(TTestBase* value) { buddy_ = value; }
  void SetPen(const TTestPen& value) { pen_->Assign(value); }

  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }
  TEvent<int, double&> OnLimit;

  std::vector<std::unique_ptr<TTestGlyph>>& Glyphs() { return glyphs_; }
  std::vector<std::uint8_t> data;  // the binary stream property
  std::vector<std::string> items;  // a stream property written as a list

 private:
  void ReadPositionMax2(TReader& reader);
  void WritePositionMax2(TWriter& writer) const;
  void ReadGlyphs(TReader& reader);
  void WriteGlyphs(TWriter& writer) const;

  double position_ = 0;
  double positionMax_ = 100;
  std::uint8_t options_ = 0;
  char letter_ = 'a';
  std::int64_t big_ = 0;
  long double precise_ = 0;
  TVariant value_;
  std::int32_t hidden_ = 0;
  std::unique_ptr<TTestPen> pen_ = std::make_unique<TTestPen>();
  TTestBase* buddy_ = nullptr;
  TNotifyEvent onChange_;
  std::vector<std::unique_ptr<TTestGlyph>> glyphs_;
};

// A root with named handlers and component fields.
class TTestForm : public TTestBase {
  TINTORAL_CLASS(TTestForm, TTestBase)

 public:
  explicit TTestForm(TComponent* owner) : TTestBase(owner) {}

  void GaugeChange(TObject* sender) { calls.push_back("GaugeChange " + static_cast<TComponent*>(sender)->Name()); }
  void GaugeLimit(TObject*, int index, double& value) { value = index * 2.0; }
  std::vector<std::string> calls;

  TTestGauge* Gauge1 = nullptr;
  TTestBase* Panel1 = nullptr;
};

// Registers the test classes for form streams (once).
void RegisterTestClasses();

}  // namespace tintoral::test
