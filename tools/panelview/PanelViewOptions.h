#pragma once
// panelview's command line: one or more form files and options, in any
// order.
#include <string>
#include <vector>

namespace tintoral {

struct TPanelViewOptions {
  std::vector<std::string> formPaths;  // the first shows first
  std::string shotPath;                // "" for a window that stays until closed
  std::string simPath;                 // the simulation file, "" for the OPC UA link library
  double shotSeconds = 0;
  bool markErrors = false;  // ErrorMarking on for every instrument
  bool fullScreen = false;
  bool help = false;
  bool version = false;
};

// The arguments after the program's name; "" when they are fine, else
// what is wrong, in one line.
std::string ParsePanelViewOptions(const std::vector<std::string>& arguments, TPanelViewOptions& options);

// Every option, one per line.
std::string PanelViewUsage();

}  // namespace tintoral
