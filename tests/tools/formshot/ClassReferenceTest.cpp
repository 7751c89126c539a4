// The class reference: each class with every property (type, its value in
// the object given, values), its events with their parameter types and its
// extra stream properties, and the held objects' classes beside it.
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

TEST(ClassReferenceTest, EachClassShowsItsPropertiesWithTheObjectsValuesItsEventsAndItsStreamProperties) {
  RegisterTestClasses();
  TTestGauge gauge(nullptr);
  gauge.SetCount(7);
  gauge.SetOptions(0b0101);
  gauge.Pen()->SetWidth(3);
  const std::string reference = ClassReferenceMarkdown({&gauge});
  const std::string section = Section(reference, "TTestGauge");
  const char* lines[] = {
      "Parent: TTestBase. A form file may name it: `object Name: TTestGauge`.\n",
      "| Visible | Boolean | True | False, True |\n",
      "| Count | Integer | 7 |  |\n",
      "| Shape | TTestShape | tsCircle | tsCircle, tsSquare, tsTriangle |\n",
      "| Color | TTestColor | tcRed |  |\n",
      "| Caption | string | '' |  |\n",
      "| PositionMax | Double | 100.0 |  |\n",
      "| Options | set | [goLeft, goUp] | goLeft, goRight, goUp, goDown |\n",
      "| Letter | Char | 'a' |  |\n",
      "| Big | Int64 | 0 |  |\n",
      "| Precise | Extended | 0.0 |  |\n",
      "| Value | Variant | empty |  |\n",
      "| Version | Integer | 3 (read-only) |  |\n",
      "| Pen | [TTestPen](#ttestpen) |  |  |\n",
      "| Buddy | TTestBase (a component's name) | nil |  |\n",
      "| OnChange | Sender |\n",
      "| OnLimit | Sender, Integer, var Double |\n",
      "- Items: its own value form\n",
      "- Data: binary data `{ ... }`\n",
  };
  for (const char* line : lines) EXPECT_NE(section.find(line), std::string::npos) << line;
  EXPECT_NE(Section(reference, "TTestPen").find("| Width | Integer | 3 |  |\n"), std::string::npos)
      << "the held object's class, with the held object's values";
  EXPECT_NE(Section(reference, "TTestPen").find("Parent: TPersistent. Defaults as in TTestGauge.Pen.\n"),
            std::string::npos);
  EXPECT_EQ(Section(reference, "TTestBase"), "") << "a component held by reference has no section";
  EXPECT_NE(reference.find("| [TTestGauge](#ttestgauge) | TTestBase | yes |\n"), std::string::npos);
  EXPECT_NE(reference.find("| [TTestPen](#ttestpen) | TPersistent |  |\n"), std::string::npos);
}

}  // namespace
}  // namespace tintoral::test
