#include <gtest/gtest.h>

#include <algorithm>

#include "platform/window/Control.h"
#include "runtime/Exception.h"
#include "tools/formshot/FormLoading.h"
#include "tools/paneldesigner/DesignDocument.h"
#include "tools/paneldesigner/ItemBindings.h"

namespace tintoral {
namespace {

constexpr const char* kForm =
    "object F: TForm\n"
    "  object Level: TiSevenSegmentAnalog\n"
    "    Width = 120\n"
    "    Height = 40\n"
    "  end\n"
    "  object Note: TLabel\n"
    "  end\n"
    "end\n";

TEST(ItemBindings, AreWrittenAsTheInstrumentsItemsAndUndoneAsOneStep) {
  RegisterFormClasses();
  TDesignDocument doc(kForm);
  const TComponent& level = *doc.FindControl("Level");
  EXPECT_TRUE(CanBindItems(level));
  EXPECT_FALSE(CanBindItems(*doc.FindControl("Note")));
  const std::vector<std::string> bindable = BindableProperties(level);
  EXPECT_NE(std::find(bindable.begin(), bindable.end(), "Value"), bindable.end());
  EXPECT_EQ(std::find(bindable.begin(), bindable.end(), "OnChange"), bindable.end());

  TItemBinding binding;
  binding.propertyName = "Value";
  binding.itemName = "Tank.Level";
  EXPECT_THROW(SetItemBindings(doc, "Level", {binding}), InvalidOperation) << "no server: the form would not read";
  binding.serverName = "opc.tcp://plant:4840";
  binding.updateRate = 100;
  SetItemBindings(doc, "Level", {binding});
  EXPECT_EQ(ItemBindingsOf(*doc.FindControl("Level")), std::vector<TItemBinding>{binding});
  EXPECT_NE(doc.Text().find("    OPCItems = <\n      item\n        PropertyName = 'Value'\n"), std::string::npos)
      << doc.Text();
  EXPECT_NE(doc.Text().find("ItemName = 'Tank.Level'"), std::string::npos);

  // The written items read back the same.
  TDesignDocument reread(doc.Text());
  EXPECT_EQ(ItemBindingsOf(*reread.FindControl("Level")), std::vector<TItemBinding>{binding});

  binding.propertyName = "Colour";
  EXPECT_THROW(SetItemBindings(doc, "Level", {binding}), InvalidOperation);
  EXPECT_THROW(SetItemBindings(doc, "Note", {}), InvalidOperation);
  doc.Undo();
  EXPECT_TRUE(ItemBindingsOf(*doc.FindControl("Level")).empty());
  EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace tintoral
