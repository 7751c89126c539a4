#pragma once
// The simulation link library in place of the OPC UA one, for the tools
// that run panels without a server (panelview --sim, paneldesigner --sim).
#include <string>

namespace tintoral {

// Loads libtintoralsim.so from the program's folder as the process-wide link
// library, with `simFile` as its simulation file (it names the file's
// errors with their lines). FileError when the file is missing,
// OPCLinkError when the library cannot be loaded.
void UseSimulationLink(const std::string& simFile);

}  // namespace tintoral
