// Mistakes a panel developer makes in a form file that used to pass without
// a word: each is named with the file and the line when the form is read
// (items that cannot work, sizes that cannot be drawn) or warned about (a
// label whose caption shows cut).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "instruments/InstrumentClasses.h"
#include "platform/window/Control.h"
#include "platform/window/Form.h"
#include "platform/window/StandardControls.h"
#include "runtime/Exception.h"
#include "tests/support/TestTempPath.h"
#include "tools/formshot/FormLoading.h"

namespace tintoral {
namespace {

class PanelFormMistakesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterWindowClasses();
    RegisterStandardControls();
    RegisterInstruments();
  }
  void TearDown() override { std::remove(path.c_str()); }

  // A form with one readout (its object on line 2, its item on line 7)
  // holding these item settings, and what reading it from a file raises.
  std::string ItemError(const std::string& settings) {
    return LoadError(
        "object Panel: TForm\n"
        "  object Level: TiSevenSegmentAnalog\n"
        "    Width = 200\n"
        "    Height = 60\n"
        "    Precision = 1\n"
        "    OPCItems = <\n"
        "      item\n" +
        settings +
        "      end>\n"
        "  end\n"
        "end\n");
  }
  std::string LoadError(const std::string& text) {
    std::ofstream(path) << text;
    try {
      LoadFormFile(path);
    } catch (const StreamError& error) {
      return error.Message();
    }
    return "no error";
  }

  const std::string path = tintoral::test::TestTempPath("PanelFormMistakes.txt");
};

TEST_F(PanelFormMistakesTest, ItemsThatCannotWorkAreNamedWithTheFileAndTheLine) {
  struct Case {
    const char* settings;
    const char* message;  // after "PATH:LINE: "
  };
  const std::string where = "Level.OPCItems item 0: ";
  const Case cases[] = {
      {"PropertyName = 'Valu'\n ServerName = 'S'\n ItemName = 'Tank'\n",
       "PropertyName 'Valu' names no published property of TiSevenSegmentAnalog (a property of a held object is "
       "named with a dot, as in 'Font.Size')"},
      {"PropertyName = 'Fnt.Size'\n ServerName = 'S'\n ItemName = 'Tank'\n",
       "PropertyName 'Fnt.Size' names no published property of TiSevenSegmentAnalog (a property of a held object is "
       "named with a dot, as in 'Font.Size')"},
      {"PropertyName = 'OnOPCError'\n ServerName = 'S'\n ItemName = 'Tank'\n",
       "PropertyName 'OnOPCError' is an event of TiSevenSegmentAnalog; events cannot be bound to items, only "
       "properties that hold a value"},
      {"PropertyName = ''\n ServerName = 'S'\n ItemName = 'Tank'\n",
       "the item names no property (PropertyName is blank)"},
      {"PropertyName = 'Value'\n ItemName = 'Tank'\n",
       "the item names no server: give ServerName, or GroupName for the link library's default server"},
      {"PropertyName = 'Value'\n GroupName = 'Panel'\n", "the item names no item on its server (ItemName is blank)"},
      {"PropertyName = 'Value'\n GroupName = 'Panel'\n ItemName = 'Tank'\n UpdateRate = -5\n",
       "UpdateRate -5 is negative"},
  };
  for (const Case& c : cases) EXPECT_EQ(ItemError(c.settings), path + ":7: " + where + c.message) << c.settings;
  EXPECT_EQ(ItemError("PropertyName = 'value'\n GroupName = 'Panel'\n ItemName = 'Tank'\n"), "no error");
  EXPECT_EQ(ItemError("PropertyName = 'Value'\n Group = 'Panel'\n"), path + ":9: Property 'Group' does not exist")
      << "an unknown item setting";
}

TEST_F(PanelFormMistakesTest, SizesThatCannotBeDrawnNameTheControlTheFileAndTheLine) {
  const auto form = [](const std::string& width) {
    return "object Panel: TForm\n  ClientWidth = 300\n  ClientHeight = 100\n"
           "  object Level: TiSevenSegmentAnalog\n    Width = " +
           width + "\n    Height = 60\n  end\nend\n";
  };
  const std::string limits = " pixels: a control is 0 to 16384 pixels a side and at most 33554432 pixels in all";
  EXPECT_EQ(LoadError(form("100000")),
            path + ":4: 'Level' (TiSevenSegmentAnalog) cannot be drawn at 100000 x 60" + limits);
  EXPECT_EQ(LoadError(form("-50")), path +
                                        ":5: 'Level' cannot be drawn with Width = -50: a control is 0 to 16384 "
                                        "pixels a side and at most 33554432 pixels in all");
  EXPECT_EQ(LoadError(form("16384")), "no error");
  EXPECT_EQ(LoadError("object Panel: TForm\n  Font.Height = -11\nend\n"), "no error") << "a font's height";
}

TEST_F(PanelFormMistakesTest, ALabelWhoseCaptionShowsCutIsWarnedAboutWithTheSizeItNeeds) {
  std::ofstream(path) << "object Panel: TForm\n  ClientWidth = 300\n  ClientHeight = 100\n"
                         "  object Title: TiLabel\n    Caption = 'Tank 1 monitor'\n  end\n"
                         "  object Fits: TiLabel\n    Width = 200\n    Height = 40\n    Caption = 'Tank 2'\n  end\n"
                         "end\n";
  const TLoadedForm form = LoadFormFile(path);
  ASSERT_EQ(form.Warnings().size(), 1u);
  const std::string& warning = form.Warnings()[0];
  EXPECT_EQ(warning.rfind(path + ":4: warning: Title (TiLabel): the caption 'Tank 1 monitor' needs ", 0), 0u)
      << warning;
  EXPECT_NE(warning.find(" pixels but the label is 28 x "), std::string::npos) << warning;
  EXPECT_EQ(form.Root().FindComponent("Title")->ClassName(), "TiLabel");
  EXPECT_EQ(dynamic_cast<TControl*>(form.Root().FindComponent("Title"))->Width(), 28) << "the loading rule stays";
}

}  // namespace
}  // namespace tintoral
