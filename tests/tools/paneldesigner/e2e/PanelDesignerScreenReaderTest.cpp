// The designer as a screen reader finds it, read over AT-SPI from another
// process (tests/e2e/atspi-probe.py): the palette's classes, the form's
// controls on the canvas and the inspector's rows have names and roles.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <fstream>
#include <sstream>

#include "tests/e2e/support/AccessibilityBus.h"
#include "tests/e2e/support/Process.h"
#include "tests/e2e/support/ProgramSession.h"
#include "tests/e2e/support/TemporaryFolder.h"
#include "tests/e2e/support/XTools.h"
#include "tests/e2e/support/XvfbDisplay.h"

namespace tintoral::e2e {
namespace {

constexpr const char* kForm =
    "object Tank: TForm\n  Caption = 'Tank'\n  ClientHeight = 200\n  ClientWidth = 320\n"
    "  object Level: TiSlider\n    Left = 8\n    Top = 16\n    Width = 30\n    Height = 100\n  end\n"
    "  object Title: TiLabel\n    Left = 60\n    Top = 8\n    Caption = 'Tank 1'\n  end\nend\n";

TEST(PanelDesignerScreenReader, PaletteCanvasItemsAndInspectorRowsHaveNamesAndRoles) {
  if (!XvfbDisplay::Available() || !ProgramExists("xdotool")) GTEST_SKIP() << "Xvfb or xdotool missing";
  if (const std::string missing = AccessibilityBus::MissingPackages(); !missing.empty())
    GTEST_SKIP() << "install " << missing;
  XvfbDisplay display;
  const XTools x(display.ClientEnvironment(), SCREENGRAB_PROGRAM);
  TemporaryFolder folder;
  std::ofstream(folder.Path() + "/Tank.txt") << kForm;
  AccessibilityBus bus;
  Environment environment = display.ClientEnvironment();
  for (const std::string& entry : bus.ClientEnvironment()) environment.push_back(entry);
  environment.insert(environment.end(), kLeakOptions.begin(), kLeakOptions.end());
  ChildProcess designer({PANELDESIGNER_PROGRAM, folder.Path() + "/Tank.txt"}, environment);
  ASSERT_TRUE(x.WaitForWindow("Tank.txt — Panel designer"));

  const CommandResult probe = RunCommand({AccessibilityBus::kPython, ATSPI_PROBE_SCRIPT, "paneldesigner", "tree"},
                                         bus.ClientEnvironment(), std::chrono::seconds(90));
  ASSERT_EQ(probe.status, 0) << probe.output << probe.error;
  const QJsonArray tree = QJsonDocument::fromJson(QByteArray::fromStdString(probe.output)).object()["result"].toArray();
  const auto find = [&](const QString& name, const QString& role) {
    for (const QJsonValue& node : tree)
      if (node["name"].toString() == name && node["role"].toString() == role) return node.toObject();
    return QJsonObject();
  };
  const struct {
    const char* name;
    const char* role;
  } expected[] = {
      {"Palette", "list"},     {"TiSlider", "list item"},     {"TiSevenSegmentAnalog", "list item"},
      {"Form Tank", "canvas"}, {"Level (TiSlider)", "image"}, {"Title (TiLabel)", "image"},
      {"Properties", "tree"},  {"Caption", "table cell"},     {"ClientWidth", "table cell"},
  };
  const auto rolesNamed = [&](const QString& name) {
    QStringList roles;
    for (const QJsonValue& node : tree)
      if (node["name"].toString() == name) roles << node["role"].toString();
    return roles;
  };
  for (const auto& e : expected)
    EXPECT_TRUE(rolesNamed(e.name).contains(e.role))
        << "\"" << e.name << "\" is no " << e.role << " but: " << rolesNamed(e.name).join(", ").toStdString();
  EXPECT_EQ(find("Level (TiSlider)", "image")["description"].toString(), "at 8, 16, 30 x 100");
  EXPECT_TRUE(find("Level (TiSlider)", "image")["states"].toArray().contains(QJsonValue("selectable")));
  designer.Stop();
}

}  // namespace
}  // namespace tintoral::e2e
