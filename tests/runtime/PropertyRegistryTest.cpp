#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/ClassRegistry.h"
#include "runtime/Exception.h"
#include "runtime/PropertyInfo.h"
#include "tests/runtime/support/TestClasses.h"

namespace tintoral::test {
namespace {

std::vector<std::string> PropertyNames(const TClassInfo& info) {
  std::vector<std::string> names;
  for (const TPropertyInfo* property : info.Properties()) names.push_back(property->Name());
  return names;
}

TEST(PropertyRegistry, AncestorsComeFirstEachInDeclarationOrder) {
  EXPECT_EQ(PropertyNames(TTestBase::StaticClass()),
            (std::vector<std::string>{"Name", "Tag", "Visible", "Count", "Ratio", "Caption", "Shape", "Color"}));
  const std::vector<std::string> gauge = PropertyNames(TTestGauge::StaticClass());
  ASSERT_EQ(gauge.size(), 21u);
  EXPECT_EQ(gauge[7], "Color");
  EXPECT_EQ(gauge[8], "Position");
  EXPECT_EQ(gauge.back(), "OnLimit");
  std::vector<std::string> extra;
  for (const TStreamPropertyInfo* p : TTestGauge::StaticClass().StreamProperties()) extra.push_back(p->Name());
  EXPECT_EQ(extra, (std::vector<std::string>{"PositionMax_2", "Characters", "Items", "Data"}));
}

TEST(PropertyRegistry, KindsFollowTheCppTypes) {
  const TClassInfo& info = TTestGauge::StaticClass();
  const auto kind = [&](const char* name) { return info.FindProperty(name)->Kind(); };
  EXPECT_EQ(kind("Count"), tkInteger);
  EXPECT_EQ(kind("Letter"), tkChar);
  EXPECT_EQ(kind("Visible"), tkEnumeration);
  EXPECT_EQ(kind("Shape"), tkEnumeration);
  EXPECT_EQ(kind("Position"), tkFloat);
  EXPECT_EQ(kind("Caption"), tkLString);
  EXPECT_EQ(kind("Options"), tkSet);
  EXPECT_EQ(kind("Pen"), tkClass);
  EXPECT_EQ(kind("OnChange"), tkMethod);
  EXPECT_EQ(kind("Value"), tkVariant);
  EXPECT_EQ(kind("Big"), tkInt64);
  EXPECT_EQ(info.FindProperty("Precise")->FloatType(), ftExtended);
  EXPECT_EQ(info.FindProperty("Position")->FloatType(), ftDouble);
  EXPECT_EQ(info.FindProperty("Pen")->TypeName(), "TTestPen");
  EXPECT_EQ(info.FindProperty("Color")->TypeName(), "TTestColor");
}

TEST(PropertyRegistry, LookupIgnoresCaseAndUnknownNamesGiveNothing) {
  const TClassInfo& info = TTestGauge::StaticClass();
  EXPECT_EQ(info.FindProperty("POSITION"), info.FindProperty("Position"));
  EXPECT_EQ(info.FindProperty("visible")->Name(), "Visible");
  EXPECT_EQ(info.FindProperty("Nothing"), nullptr);
  EXPECT_EQ(info.FindStreamProperty("positionmax_2")->Name(), "PositionMax_2");
  EXPECT_EQ(TTestBase::StaticClass().FindProperty("Position"), nullptr);  // declared by the descendant only
}

TEST(PropertyRegistry, DefaultsRangesEnumNamesAndStorage) {
  const TClassInfo& info = TTestGauge::StaticClass();
  EXPECT_EQ(info.FindProperty("Visible")->OrdinalDefault(), 1);
  EXPECT_FALSE(info.FindProperty("Count")->OrdinalDefault().has_value());
  EXPECT_EQ(info.FindProperty("Options")->OrdinalDefault(), 0);
  EXPECT_EQ(info.FindProperty("Options")->MaxValue(), 15);
  EXPECT_EQ(info.FindProperty("Letter")->MaxValue(), 255);
  EXPECT_EQ(info.FindProperty("Count")->MinValue(), INT32_MIN);
  EXPECT_EQ(info.FindProperty("Shape")->EnumType()->NameOf(2), "tsTriangle");
  EXPECT_EQ(info.FindProperty("Shape")->EnumType()->ValueOf("TSSQUARE"), 1);
  EXPECT_EQ(info.FindProperty("Visible")->EnumType()->NameOf(0), "False");
  EXPECT_FALSE(info.FindProperty("Name")->IsStored(TTestGauge(nullptr)));
  EXPECT_FALSE(info.FindProperty("Version")->HasSetter());
  EXPECT_TRUE(info.FindProperty("Version")->HasGetter());

  TTestGauge gauge(nullptr);
  const TPropertyInfo* hidden = info.FindProperty("Hidden");
  EXPECT_FALSE(hidden->IsStored(gauge));
  gauge.SetHidden(4);
  EXPECT_TRUE(hidden->IsStored(gauge));
}

TEST(PropertyRegistry, ValuesGoThroughTheClassAccessors) {
  TTestGauge gauge(nullptr);
  const TClassInfo& info = gauge.ClassType();
  info.FindProperty("Shape")->SetOrdinal(gauge, 2);
  EXPECT_EQ(gauge.Shape(), tsTriangle);
  info.FindProperty("Letter")->SetOrdinal(gauge, 0xF3);
  EXPECT_EQ(gauge.Letter(), '\xF3');
  EXPECT_EQ(info.FindProperty("Letter")->GetOrdinal(gauge), 0xF3);
  info.FindProperty("Position")->SetFloat(gauge, 42.5L);
  EXPECT_EQ(gauge.Position(), 42.5);
  info.FindProperty("Caption")->SetString(gauge, "Versi\xF3n");
  EXPECT_EQ(info.FindProperty("Caption")->GetString(gauge), "Versi\xF3n");
  info.FindProperty("Value")->SetVariant(gauge, TVariant(7));
  EXPECT_EQ(gauge.Value().ToInt(), 7);

  TTestPen other;
  other.SetWidth(9);
  const TPropertyInfo* pen = info.FindProperty("Pen");
  EXPECT_EQ(pen->GetObject(gauge), gauge.Pen());
  pen->SetObject(gauge, &other);
  EXPECT_EQ(gauge.Pen()->Width(), 9);
  TTestGlyph wrong;
  EXPECT_THROW(pen->SetObject(gauge, &wrong), InvalidOperation);

  EXPECT_THROW(info.FindProperty("Position")->GetString(gauge), InvalidOperation);
  EXPECT_THROW(info.FindProperty("Version")->SetOrdinal(gauge, 1), InvalidOperation);
  TTestPen notAGauge;
  EXPECT_THROW(info.FindProperty("Position")->GetFloat(notAGauge), InvalidOperation);
}

TEST(PropertyRegistry, EventsBindToNamedMethodsOfMatchingSignature) {
  TTestForm form(nullptr);
  auto* gauge = new TTestGauge(&form);
  gauge->SetName("Gauge1");
  const TClassInfo& info = gauge->ClassType();
  const TPropertyInfo* onChange = info.FindProperty("OnChange");
  const TPropertyInfo* onLimit = info.FindProperty("OnLimit");
  EXPECT_FALSE(onChange->HasHandler(*gauge));

  onChange->BindMethod(*gauge, *form.ClassType().FindMethod("gaugechange"), form);
  EXPECT_EQ(onChange->GetMethodName(*gauge), "GaugeChange");
  gauge->SetPosition(3);
  EXPECT_EQ(form.calls, std::vector<std::string>{"GaugeChange Gauge1"});

  onLimit->BindMethod(*gauge, *form.ClassType().FindMethod("GaugeLimit"), form);
  double value = 0;
  gauge->OnLimit(gauge, 4, value);
  EXPECT_EQ(value, 8.0);

  EXPECT_THROW(onChange->BindMethod(*gauge, *form.ClassType().FindMethod("GaugeLimit"), form), InvalidOperation);
  EXPECT_EQ(onChange->GetMethodName(*gauge), "GaugeChange");  // unchanged by the failed binding

  gauge->SetOnChange([](TObject*) {});  // a handler without a name
  EXPECT_TRUE(onChange->HasHandler(*gauge));
  EXPECT_EQ(onChange->GetMethodName(*gauge), "");
  onChange->ClearHandler(*gauge);
  EXPECT_FALSE(onChange->HasHandler(*gauge));
}

TEST(PropertyRegistry, FieldsFollowTheirComponentAndClearWhenItGoes) {
  TTestForm form(nullptr);
  const TFieldInfo* field = form.ClassType().FindField("GAUGE1");
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->ClassName(), "TTestGauge");
  auto* gauge = new TTestGauge(&form);
  gauge->SetName("Gauge1");
  EXPECT_TRUE(field->Assign(form, gauge));
  EXPECT_EQ(form.Gauge1, gauge);
  TTestBase plain(nullptr);
  EXPECT_FALSE(field->Assign(form, &plain));  // a TTestBase is not a TTestGauge
  EXPECT_EQ(form.Gauge1, gauge);
  delete gauge;
  EXPECT_EQ(form.Gauge1, nullptr);
}

TEST(ClassRegistry, CreatesRegisteredClassesByName) {
  RegisterTestClasses();
  EXPECT_EQ(FindComponentClass("ttestgauge"), &TTestGauge::StaticClass());
  EXPECT_EQ(FindComponentClass("TNothing"), nullptr);
  TTestBase owner(nullptr);
  TComponent* created = CreateComponent("TTestGauge", &owner);
  EXPECT_EQ(created->ClassName(), "TTestGauge");
  EXPECT_EQ(created->Owner(), &owner);
  EXPECT_THROW(CreateComponent("TNothing", &owner), InvalidOperation);
  static const TClassInfo impostor("TTestGauge", &TComponent::StaticClass());
  EXPECT_THROW(RegisterComponentClass(impostor, [](TComponent*) -> TComponent* { return nullptr; }), InvalidOperation);
}

}  // namespace
}  // namespace tintoral::test
