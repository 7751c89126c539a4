#pragma once
// Ctrl+E in a live panel saves the history of every trend chart on it as
// CSV, one file per chart named after the form and the chart
// ("DemoPanel-Trend.csv"), in the current folder.
#include <string>
#include <vector>

namespace tintoral {

class TForm;

// Hooks the key on the window (keeping a key handler the form had).
void AddTrendExport(TForm& window);
// Saves every trend chart of the window; returns the files written and
// adds a line to `problems` for each that could not be.
std::vector<std::string> ExportTrends(TForm& window, std::vector<std::string>& problems);

}  // namespace tintoral
