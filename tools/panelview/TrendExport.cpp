#include "tools/panelview/TrendExport.h"

#include <cstdio>
#include <exception>

#include "instruments/TrendChart.h"
#include "platform/window/Form.h"
#include "platform/window/KeyCodes.h"

namespace tintoral {
namespace {

constexpr std::uint16_t kKeyE = 'E';

void CollectCharts(TComponent& root, std::vector<TiTrendChart*>& charts) {
  for (int i = 0; i < root.ComponentCount(); ++i) {
    TComponent* component = root.Components(i);
    if (auto* chart = dynamic_cast<TiTrendChart*>(component)) charts.push_back(chart);
    CollectCharts(*component, charts);
  }
}

}  // namespace

std::vector<std::string> ExportTrends(TForm& window, std::vector<std::string>& problems) {
  std::vector<TiTrendChart*> charts;
  CollectCharts(window, charts);
  std::vector<std::string> written;
  for (TiTrendChart* chart : charts) {
    const std::string file = window.Name() + "-" + chart->Name() + ".csv";
    try {
      chart->ExportCSV(file);
      written.push_back(file);
    } catch (const std::exception& error) {
      problems.push_back(error.what());
    }
  }
  return written;
}

void AddTrendExport(TForm& window) {
  window.SetKeyPreview(true);
  TKeyEvent previous = window.OnKeyDown();
  window.SetOnKeyDown([&window, previous](TObject* sender, std::uint16_t& key, TShiftState shift) {
    if (key == kKeyE && shift.Contains(ssCtrl)) {
      std::vector<std::string> problems;
      for (const std::string& file : ExportTrends(window, problems))
        std::fprintf(stderr, "panelview: saved %s\n", file.c_str());
      for (const std::string& problem : problems) std::fprintf(stderr, "panelview: %s\n", problem.c_str());
      key = 0;
      return;
    }
    previous(sender, key, shift);
  });
}

}  // namespace tintoral
