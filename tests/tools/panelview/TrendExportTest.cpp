// Ctrl+E on a live panel: every trend chart's history saved as CSV in the
// current folder, named after the form and the chart.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "instruments/TrendChart.h"
#include "platform/window/Form.h"
#include "platform/window/KeyCodes.h"
#include "tools/panelview/TrendExport.h"

namespace tintoral {
namespace {

TEST(TrendExport, CtrlEWritesEachChartOfThePanelAndOtherKeysPassOn) {
  const auto folder = std::filesystem::temp_directory_path() / ("tintoral-trend-export-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  TForm form(nullptr);
  form.SetName("Tank");
  auto* chart = new TiTrendChart(&form);
  chart->SetName("Trend");
  chart->SetParent(&form);
  chart->AppendSample(0, 1.8e9, 42);
  std::uint16_t passed = 0;
  form.SetOnKeyDown([&](TObject*, std::uint16_t& key, TShiftState) { passed = key; });
  AddTrendExport(form);
  std::uint16_t key = 'E';
  form.OnKeyDown()(&form, key, TShiftState{ssCtrl});
  std::uint16_t other = 'E';
  form.OnKeyDown()(&form, other, TShiftState{});
  std::ifstream file(folder / "Tank-Trend.csv");
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(folder);
  EXPECT_EQ(text, "Time,Channel1\r\n2027-01-15T08:00:00.000Z,42\r\n");
  EXPECT_EQ(key, 0);
  EXPECT_EQ(passed, 'E');  // the form's own handler still sees other keys
}

}  // namespace
}  // namespace tintoral
