#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>

#include "runtime/Exception.h"
#include "runtime/FormReader.h"
#include "tests/runtime/support/TestClasses.h"

namespace tintoral::test {
namespace {

struct MalformedStream {
  const char* what;
  std::string text;
  std::string message;
};

// Test names and failure messages show the case by its description.
void PrintTo(const MalformedStream& stream, std::ostream* out) { *out << stream.what; }

std::string Deeply(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "object TTestBase\n";
  for (int i = 0; i < depth; ++i) text += "end\n";
  return text;
}

const std::string kHead = "object Form1: TTestForm\n";
const std::string kGauge = kHead + "  object Gauge1: TTestGauge\n";

const MalformedStream kMalformed[] = {
    {"empty", "", "Line 1: 'object' expected but end of file found"},
    {"missing end", kHead + "  Count = 1\n", "Line 3: 'end' expected but end of file found"},
    {"missing end of child", kGauge + "    Count = 1\nend\n", "Line 5: 'end' expected but end of file found"},
    {"bad token", kHead + "  Count = 1\n  Caption ; 'x'\nend\n", "Line 3: '=' expected but ';' found"},
    {"unknown root class", "object F: TBar\nend\n", "Line 1: Class 'TBar' not found"},
    {"unknown child class", kHead + "  Count = 1\n  object X: TBar\n  end\nend\n", "Line 3: Class 'TBar' not found"},
    {"unknown property", kHead + "  Foo = 1\nend\n", "Line 2: Property 'Foo' does not exist"},
    {"unknown sub-property", kGauge + "    Pen.Colour = 1\n  end\nend\n",
     "Line 3: Property 'Pen.Colour' does not exist"},
    {"dotted non-object", kGauge + "    Count.X = 1\n  end\nend\n", "Line 3: Property 'Count.X' does not exist"},
    {"unterminated string", kHead + "  Caption = 'abc\nend\n", "Line 2: Unterminated string"},
    {"string cut by end of file", kHead + "  Caption = 'abc", "Line 2: Unterminated string"},
    {"huge integer", kHead + "  Count = 99999999999999999999\nend\n",
     "Line 2: Number 99999999999999999999 is out of range"},
    {"integer beyond its property", kHead + "  Count = 3000000000\nend\n",
     "Line 2: Value 3000000000 is out of range for property 'Count'"},
    {"huge float", kGauge + "    Ratio = 1.0E99999\n  end\nend\n", "Line 3: Number 1.0E99999 is out of range"},
    {"huge hex", kHead + "  Count = $1FFFFFFFFFFFFFFFF\nend\n", "Line 2: Number $1FFFFFFFFFFFFFFFF is out of range"},
    {"truncated collection", kGauge + "    Characters = <\n      item\n        Data = 'a'\n",
     "Line 6: 'end' expected but end of file found"},
    {"truncated after collection start", kGauge + "    Characters = <", "Line 3: '>' expected but end of file found"},
    {"truncated header", "object Form1:", "Line 1: Identifier expected but end of file found"},
    {"truncated list", kGauge + "    Items = ('a'\n", "Line 4: ')' expected but end of file found"},
    {"list of non-strings", kGauge + "    Items = ('a' 1)\n  end\nend\n", "Line 3: String expected but '1' found"},
    {"invalid enumeration value", kHead + "  Shape = tsHexagon\nend\n",
     "Line 2: Invalid value 'tsHexagon' for property 'Shape' (valid values: tsCircle, tsSquare, tsTriangle)"},
    {"number for an enumeration", kHead + "  Visible = 1\nend\n",
     "Line 2: Invalid value '1' for property 'Visible' (valid values: False, True)"},
    {"string for an integer", kHead + "  Count = '1'\nend\n", "Line 2: Invalid value string '1' for property 'Count'"},
    {"unknown colour name", kHead + "  Color = tcPurple\nend\n",
     "Line 2: Invalid value 'tcPurple' for property 'Color'"},
    {"unknown set element", kGauge + "    Options = [goLeft, goBack]\n  end\nend\n",
     "Line 3: Invalid value 'goBack' for property 'Options'"},
    {"set without comma", kGauge + "    Options = [goLeft goUp]\n  end\nend\n",
     "Line 3: ',' expected but 'goUp' found"},
    {"unknown handler", kGauge + "    OnChange = Nope\n  end\nend\n", "Line 3: Method 'Nope' not found in TTestForm"},
    {"handler of another signature", kGauge + "    OnChange = GaugeLimit\n  end\nend\n",
     "Line 3: Method 'GaugeLimit' does not fit event 'OnChange'"},
    {"read-only property", kGauge + "    Version = 3\n  end\nend\n", "Line 3: Property 'Version' is read-only"},
    {"reference to a missing component", kGauge + "    Buddy = Nobody\n  end\nend\n",
     "Line 3: Component 'Nobody' not found"},
    {"object property given a value", kGauge + "    Pen = 3\n  end\nend\n",
     "Line 3: Invalid value '3' for property 'Pen'"},
    {"inherited", "inherited Form1: TTestForm\nend\n", "Line 1: 'inherited' objects are not supported"},
    {"inline child", kHead + "  inline X: TTestBase\n  end\nend\n", "Line 2: 'inline' objects are not supported"},
    {"duplicate name", kHead + "  object A: TTestBase\n  end\n  object a: TTestBase\n  end\nend\n",
     "Line 4: A component named a already exists"},
    {"invalid name", kHead + "  object 9: TTestBase\n  end\nend\n", "Line 2: Identifier expected but '9' found"},
    {"field of another class", kHead + "  object Gauge1: TTestBase\n  end\nend\n",
     "Line 2: Field 'Gauge1' of TTestForm cannot hold a TTestBase"},
    {"text after the root", kHead + "end\nfoo\n", "Line 3: End of file expected but 'foo' found"},
    {"odd binary", kGauge + "    Data = {ABC}\n  end\nend\n", "Line 3: Invalid binary value: odd number of hex digits"},
    {"bad binary digit", kGauge + "    Data = {\n      AG}\n  end\nend\n", "Line 4: Invalid binary value"},
    {"unterminated binary", kGauge + "    Data = {AB", "Line 3: Unterminated binary value"},
    {"binary property given a string", kGauge + "    Data = 'AB'\n  end\nend\n",
     "Line 3: Binary value expected but string 'AB' found"},
    {"companion given a string", kGauge + "    PositionMax_2 = 'x'\n  end\nend\n",
     "Line 3: Float expected but string 'x' found"},
    {"control character", kHead + "  Count = 1\x01\nend\n", "Line 2: Invalid character #1"},
    {"character code without a byte", kHead + "  Caption = #300\nend\n", "Line 2: Invalid character code #300"},
    {"UTF-8 character without a byte",
     kHead + "  Caption = 'Espa\xC3\xB1"
             "a \xE4\xB8\xAD'\nend\n",
     "Line 2: Character U+4E2D has no Windows-1252 byte"},
    {"letter glued to a number", kHead + "  Count = 12ab\nend\n", "Line 2: Invalid number 12a"},
    {"deep nesting", Deeply(300), "Line 202: Nesting too deep"},
};

class FormStreamErrors : public testing::TestWithParam<MalformedStream> {
 protected:
  void SetUp() override { RegisterTestClasses(); }
};

TEST_P(FormStreamErrors, NameTheLineAndLeaveNothingBehind) {
  const MalformedStream& stream = GetParam();
  const int live = TTestBase::liveCount;
  try {
    delete ReadComponentText(stream.text);
    ADD_FAILURE() << "no error for " << stream.what;
  } catch (const StreamError& error) {
    EXPECT_EQ(error.Message(), stream.message) << stream.what;
  }
  EXPECT_EQ(TTestBase::liveCount, live) << stream.what;
}

TEST_P(FormStreamErrors, LeaveAnExistingRootAsItWasApartFromItsValues) {
  const MalformedStream& stream = GetParam();
  TTestForm form(nullptr);
  const int live = TTestBase::liveCount;
  EXPECT_THROW(ReadRootComponentText(stream.text, form), StreamError) << stream.what;
  EXPECT_EQ(TTestBase::liveCount, live) << stream.what;
  EXPECT_EQ(form.ComponentCount(), 0) << stream.what;
  EXPECT_EQ(form.Gauge1, nullptr) << stream.what;
  EXPECT_EQ(form.ComponentState(), 0u) << stream.what;
}

std::string CaseName(const testing::TestParamInfo<MalformedStream>& info) {
  std::string name;
  for (const char* c = info.param.what; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Malformed, FormStreamErrors, testing::ValuesIn(kMalformed), CaseName);

TEST(FormStreamFailure, ErrorsOfSettersAndAfterLoadStepsPassUnchanged) {
  RegisterTestClasses();
  const int live = TTestBase::liveCount;
  // The fifth glyph does not fit the gauge's list of four.
  const std::string text = kGauge + "    Characters = < item end item end item end item end item end >\n  end\nend\n";
  EXPECT_THROW(delete ReadComponentText(text), ListIndexError);
  EXPECT_EQ(TTestBase::liveCount, live);

  const std::string failingLoad = kHead + "  object A: TTestBase\n    Caption = 'fail in Loaded'\n  end\nend\n";
  EXPECT_THROW(delete ReadComponentText(failingLoad), InvalidOperation);
  EXPECT_EQ(TTestBase::liveCount, live);
  TTestForm form(nullptr);
  EXPECT_THROW(ReadRootComponentText(failingLoad, form), InvalidOperation);
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_FALSE(form.IsLoading());
}

}  // namespace
}  // namespace tintoral::test
