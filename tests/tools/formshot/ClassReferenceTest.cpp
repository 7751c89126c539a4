// The class reference made from the registry: each class's own rows (type,
// default, values), its events with their parameter types, its extra stream
// properties, and the ancestors and held-object classes it leads to.
#include <gtest/gtest.h>

#include <string>

#include "tests/runtime/support/TestClasses.h"
#include "tools/formshot/ClassReference.h"

namespace tintoral::test {
namespace {

// The section of one class, from its heading to the next.
std::string Section(const std::string& reference, const std::string& className) {
  const std::size_t start = reference.find("\n### " + className + "\n");
  if (start == std::string::npos) return "";
  return reference.substr(start, reference.find("\n### ", start + 1) - start);
}

TEST(ClassReferenceTest, EachClassShowsWhatItAddsWithTypesDefaultsValuesEventsAndStreamProperties) {
  RegisterTestClasses();  // the TTestColor identifiers
  const std::string reference = ClassReferenceMarkdown({&TTestGauge::StaticClass()});
  struct Case {
    const char* className;
    const char* line;
  };
  const Case cases[] = {
      {"TTestBase", "Parent: [TComponent](#tcomponent).\n"},
      {"TTestBase", "| Visible | Boolean | True | False, True |\n"},
      {"TTestBase", "| Count | Integer | none: always written |  |\n"},
      {"TTestBase", "| Shape | TTestShape | tsCircle | tsCircle, tsSquare, tsTriangle |\n"},
      {"TTestBase", "| Color | TTestColor | tcRed |  |\n"},
      {"TTestBase", "| Caption | string | '' |  |\n"},
      {"TTestGauge", "Parent: [TTestBase](#ttestbase). A form file may name it: `object Name: TTestGauge`.\n"},
      {"TTestGauge", "| Options | set | [] | goLeft, goRight, goUp, goDown |\n"},
      {"TTestGauge", "| Letter | Char | 'a' |  |\n"},
      {"TTestGauge", "| Big | Int64 | 0 |  |\n"},
      {"TTestGauge", "| Precise | Extended | 0.0 |  |\n"},
      {"TTestGauge", "| Value | Variant | empty |  |\n"},
      {"TTestGauge", "| Version | Integer | read-only |  |\n"},
      {"TTestGauge", "| Pen | [TTestPen](#ttestpen) |  |  |\n"},
      {"TTestGauge", "| OnChange | Sender |\n"},
      {"TTestGauge", "| OnLimit | Sender, Integer, var Double |\n"},
      {"TTestGauge", "- Items: its own value form\n"},
      {"TTestGauge", "- Data: binary data `{ ... }`\n"},
      {"TTestPen", "| Width | Integer | 1 |  |\n"},
  };
  for (const Case& c : cases)
    EXPECT_NE(Section(reference, c.className).find(c.line), std::string::npos) << c.className << ": " << c.line;
  EXPECT_EQ(Section(reference, "TTestGauge").find("| Visible |"), std::string::npos) << "inherited rows stay above";
  EXPECT_EQ(Section(reference, "TTestBase").find("A form file may name it"), std::string::npos);
  EXPECT_NE(reference.find("| [TTestGauge](#ttestgauge) | TTestBase | yes |\n"), std::string::npos);
  EXPECT_NE(reference.find("| [TTestPen](#ttestpen) | TPersistent |  |\n"), std::string::npos);
}

}  // namespace
}  // namespace tintoral::test
