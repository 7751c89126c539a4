#include "tools/support/SimulationLink.h"

#include <cstdlib>
#include <filesystem>

#include "instruments/opc/OPCLibrary.h"
#include "runtime/Exception.h"

namespace tintoral {

void UseSimulationLink(const std::string& simFile) {
  std::error_code problem;
  if (!std::filesystem::is_regular_file(simFile, problem))
    throw FileError("The simulation file '" + simFile + "' does not exist or is not a file");
  setenv("TINTORAL_SIM_FILE", simFile.c_str(), 1);
  UseOPCLibraryFile(PathBesideProgram("libtintoralsim.so"));
}

}  // namespace tintoral
