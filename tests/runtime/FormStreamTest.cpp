#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <string>

#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "runtime/FormWriter.h"
#include "tests/runtime/support/TestClasses.h"

namespace tintoral::test {
namespace {

class FormStream : public testing::Test {
 protected:
  void SetUp() override { RegisterTestClasses(); }

  static std::unique_ptr<TTestForm> Read(const std::string& text) {
    TComponent* root = ReadComponentText(text);
    auto* form = dynamic_cast<TTestForm*>(root);
    if (!form) delete root;
    return std::unique_ptr<TTestForm>(form);
  }
};

const char kSampleForm[] =
    "object Form1: TTestForm\n"
    "  Count = 0\n"
    "  Caption = 'Versi'#243'n '#8364' it''s'\n"
    "  object Gauge1: TTestGauge\n"
    "    Count = -5\n"
    "    Ratio = 0.1\n"
    "    Color = tcGreen\n"
    "    Position = 42.5\n"
    "    PositionMax = 100.0\n"
    "    Options = [goLeft, goDown]\n"
    "    Letter = 'z'\n"
    "    Big = 123456789012345\n"
    "    Precise = 1.0E-7\n"
    "    Value = 'text'\n"
    "    Hidden = 2\n"
    "    Pen.Width = 3\n"
    "    Pen.Label = 'thin'\n"
    "    Buddy = Panel1\n"
    "    OnChange = GaugeChange\n"
    "    PositionMax_2 = 100.0\n"
    "    Characters = <\n"
    "      item\n"
    "        Data = '4,4,4,4,4,0,4'\n"
    "        Size = 0\n"
    "      end\n"
    "      item\n"
    "        Data = '0'\n"
    "        Size = 7\n"
    "      end>\n"
    "    Items = (\n"
    "      'one'\n"
    "      'two')\n"
    "    Data = {\n"
    "      00FF10}\n"
    "  end\n"
    "  object Panel1: TTestBase\n"
    "    Count = 0\n"
    "    Shape = tsTriangle\n"
    "    Color = 12345\n"
    "    object Inner: TTestBase\n"
    "      Visible = False\n"
    "      Count = 0\n"
    "      Color = tcBtnFace\n"
    "    end\n"
    "  end\n"
    "end\n";

TEST_F(FormStream, ReadsEveryKindOfValueAndWritesTheSameTextBack) {
  auto form = Read(kSampleForm);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Caption(), "Versi\xF3n \x80 it's");
  ASSERT_NE(form->Gauge1, nullptr);
  TTestGauge& gauge = *form->Gauge1;
  EXPECT_EQ(gauge.Owner(), form.get());
  EXPECT_EQ(gauge.Count(), -5);
  EXPECT_EQ(gauge.Ratio(), 0.1);
  EXPECT_EQ(gauge.Color(), 0x00FF00);
  EXPECT_EQ(gauge.Options(), 0b1001);
  EXPECT_EQ(gauge.Letter(), 'z');
  EXPECT_EQ(gauge.Big(), 123456789012345);
  EXPECT_EQ(gauge.Precise(), 1.0E-7L);
  EXPECT_EQ(gauge.Value().ToString(), "text");
  EXPECT_EQ(gauge.Pen()->Width(), 3);
  EXPECT_EQ(gauge.Pen()->Label(), "thin");
  ASSERT_EQ(gauge.Glyphs().size(), 2u);
  EXPECT_EQ(gauge.Glyphs()[0]->Data(), "4,4,4,4,4,0,4");
  EXPECT_EQ(gauge.Glyphs()[1]->Size(), 7);
  EXPECT_EQ(gauge.items, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(gauge.data, (std::vector<std::uint8_t>{0x00, 0xFF, 0x10}));
  ASSERT_NE(form->Panel1, nullptr);
  EXPECT_EQ(gauge.Buddy(), form->Panel1);  // a reference to a component read later
  auto* inner = form->FindComponentAs<TTestBase>("Inner");
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->Owner(), form.get());                 // nested objects are owned by the root...
  EXPECT_EQ(inner->GetParentComponent(), form->Panel1);  // ...and parented by the enclosing object
  EXPECT_FALSE(inner->Visible());
  EXPECT_EQ(inner->Color(), -16777201);

  EXPECT_EQ(WriteComponentText(*form), kSampleForm);
}

TEST_F(FormStream, EveryComponentLoadsInItsLoadingStateAndRunsLoadedOnce) {
  auto form = Read(
      "object Form1: TTestForm\n"
      "  object Gauge1: TTestGauge\n"
      "    PositionMax = 100.0\n"
      "    Position = 150.0\n"  // not clamped while loading
      "    OnChange = GaugeChange\n"
      "  end\n"
      "end\n");
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Gauge1->Position(), 150.0);
  EXPECT_TRUE(form->calls.empty());  // no event while loading
  EXPECT_EQ(form->log, std::vector<std::string>{"Loaded loading"});
  EXPECT_EQ(form->Gauge1->log, (std::vector<std::string>{"Parent Form1 loading", "Loaded loading"}));
  EXPECT_FALSE(form->IsLoading());
  EXPECT_FALSE(form->Gauge1->IsLoading());
  form->Gauge1->SetPosition(150);  // loaded: clamped, and the bound handler runs
  EXPECT_EQ(form->Gauge1->Position(), 100.0);
  EXPECT_EQ(form->calls, std::vector<std::string>{"GaugeChange Gauge1"});
}

TEST_F(FormStream, ReadsIntoAnExistingRoot) {
  TTestForm form(nullptr);
  ReadRootComponentText("object Main: TTestBase\n  Caption = 'x'\n  object Gauge1: TTestGauge\n  end\nend", form);
  EXPECT_EQ(form.Name(), "Main");
  EXPECT_EQ(form.Caption(), "x");
  EXPECT_NE(form.Gauge1, nullptr);
  EXPECT_EQ(form.log, std::vector<std::string>{"Loaded loading"});

  TTestForm other(nullptr);
  EXPECT_THROW(ReadRootComponentText("object Main: TTestGauge\nend", other), StreamError);
  EXPECT_FALSE(other.IsLoading());
}

TEST_F(FormStream, FloatsRoundTripExactlyInTheirOwnPrecision) {
  TTestForm form(nullptr);
  auto* gauge = new TTestGauge(&form);
  gauge->SetName("Gauge1");
  std::mt19937_64 random(20261207);
  std::vector<double> doubles = {
      0.1, 1.0 / 3, 1e300, -2.5e-300, 5e-324, 123456789.125, 1e15, 1e-5, std::numeric_limits<double>::max()};
  std::vector<long double> extendeds = {0.1L,
                                        1.0L / 3,
                                        1e4000L,
                                        std::numeric_limits<long double>::denorm_min(),
                                        std::numeric_limits<long double>::max(),
                                        -7.0L / 9};
  for (int i = 0; i < 200; ++i) {
    std::uint64_t bits = random();
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);
    if (std::isfinite(d)) doubles.push_back(d);
    extendeds.push_back(std::ldexp(static_cast<long double>(random()), static_cast<int>(random() % 200) - 100));
  }
  for (std::size_t i = 0; i < doubles.size(); ++i) {
    gauge->SetPositionMax(doubles[i]);  // PositionMax and its stream companion PositionMax_2
    gauge->SetRatio(doubles[i]);
    gauge->SetPrecise(extendeds[i % extendeds.size()]);
    const std::string text = WriteComponentText(form);
    auto copy = Read(text);
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->Gauge1->PositionMax(), doubles[i]) << text;
    ASSERT_EQ(copy->Gauge1->Ratio(), doubles[i]) << text;
    ASSERT_EQ(copy->Gauge1->Precise(), extendeds[i % extendeds.size()]) << text;
  }
}

TEST_F(FormStream, ZeroMaximumSurvivesOnlyThroughTheCompanion) {
  TTestForm form(nullptr);
  auto* gauge = new TTestGauge(&form);
  gauge->SetName("Gauge1");
  gauge->SetPositionMax(0);
  const std::string text = WriteComponentText(form);
  EXPECT_EQ(text.find("PositionMax ="), std::string::npos);  // a float equal to 0 is not written
  EXPECT_NE(text.find("PositionMax_2 = 0.0"), std::string::npos);
  auto copy = Read(text);
  EXPECT_EQ(copy->Gauge1->PositionMax(), 0.0);
}

// A quoted part that is well-formed UTF-8 with non-ASCII characters is read
// as UTF-8; any other bytes keep their Windows-1252 meaning. The writer
// writes non-ASCII as codes.
TEST_F(FormStream, QuotedUtf8IsReadAsUtf8AndOtherBytesAsBefore) {
  const struct {
    const char* quoted;
    const char* caption;
  } cases[] = {
      {"'Espa\xC3\xB1"
       "a'",
       "Espa\xF1"
       "a"},                                   // UTF-8
      {"'\xE2\x82\xAC 5'#241", "\x80 5\xF1"},  // UTF-8, the euro sign, then a code
      {"'Espa\xF1"
       "a'",
       "Espa\xF1"
       "a"},                                     // Windows-1252 as stored
      {"'\xC3('", "\xC3("},                      // not UTF-8: bytes as they are
      {"'\xC0\x80'", "\xC0\x80"},                // an overlong form is not UTF-8
      {"'\xED\xA0\x80'", "\xED\xA0\x80"},        // nor is a surrogate
      {"'\xC3\xB1''s' + '\xF1'", "\xF1's\xF1"},  // each quoted part on its own
  };
  for (const auto& c : cases) {
    auto form = Read(std::string("object F: TTestForm\n  Caption = ") + c.quoted + "\nend\n");
    ASSERT_TRUE(form) << c.quoted;
    EXPECT_EQ(form->Caption(), c.caption) << c.quoted;
    EXPECT_NE(WriteComponentText(*form).find("#"), std::string::npos) << c.quoted;
  }
}

TEST_F(FormStream, StringsKeepEveryByteAndLongOnesAreSplit) {
  TTestForm form(nullptr);
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  form.SetCaption(all + all);
  const std::string text = WriteComponentText(form);
  EXPECT_NE(text.find("' +\n    '"), std::string::npos);  // continuation lines indented under the property
  EXPECT_NE(text.find("#8364"), std::string::npos);
  auto copy = Read(text);
  EXPECT_EQ(copy->Caption(), all + all);

  auto joined = Read("object F: TTestForm\n  Caption = 'a'#13#10'b' + \n 'c'#128#$41\nend");
  EXPECT_EQ(joined->Caption(),
            "a\r\nbc\x80"
            "A");
}

TEST_F(FormStream, WriteStoredPropertiesWritesDefaultsAndSkipsFailingProperties) {
  TTestForm form(nullptr);
  auto* gauge = new TTestGauge(&form);
  gauge->Glyphs().push_back(std::make_unique<TTestGlyph>());
  gauge->Glyphs().back()->SetData("bad");
  const std::string text = WriteComponentText(form);
  EXPECT_NE(text.find("      item\n        Data = 'bad'\n      end>"), std::string::npos) << text;
}

TEST_F(FormStream, CollectionItemsBeyondTheListRaiseTheListError) {
  const std::string text =
      "object F: TTestForm\n  object Gauge1: TTestGauge\n    Characters = <"
      " item Data = 'a' end item end item end item end item Data = 'e' end>\n  end\nend\n";
  EXPECT_THROW(Read(text), ListIndexError);
}

TEST_F(FormStream, VariantAndCharacterValues) {
  auto form = Read(
      "object F: TTestForm\n"
      "  object Gauge1: TTestGauge\n    Value = 2.5\n    Letter = #243\n  end\n"
      "  object Gauge2: TTestGauge\n    Value = True\n  end\n"
      "  object Gauge3: TTestGauge\n    Value = 5000000000\n  end\n"
      "end");
  EXPECT_EQ(form->Gauge1->Value().Type(), TVarType::Double);
  EXPECT_EQ(form->Gauge1->Letter(), '\xF3');
  EXPECT_EQ(form->FindComponentAs<TTestGauge>("Gauge2")->Value().Type(), TVarType::Boolean);
  EXPECT_EQ(form->FindComponentAs<TTestGauge>("Gauge3")->Value().Type(), TVarType::Int64);
  const std::string text = WriteComponentText(*form);
  EXPECT_NE(text.find("Letter = #243\n    Value = 2.5\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Value = True"), std::string::npos);
  EXPECT_NE(text.find("Value = 5000000000"), std::string::npos);
}

}  // namespace
}  // namespace tintoral::test
