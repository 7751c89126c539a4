#include "system/RuntimeFolder.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace tintoral {
namespace {

std::string& CreatedFolder() {
  static std::string folder;
  return folder;
}

void RemoveCreatedFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(CreatedFolder(), ignored);
}

}  // namespace

void EnsurePrivateRuntimeFolder() {
  const char* current = std::getenv("XDG_RUNTIME_DIR");
  if ((current && *current) || !CreatedFolder().empty()) return;
  std::error_code error;
  std::string pattern = (std::filesystem::temp_directory_path(error) / "tintoral-runtime-XXXXXX").string();
  if (error || !mkdtemp(pattern.data())) return;  // Qt then warns, as it would anyway
  CreatedFolder() = pattern;
  std::atexit(RemoveCreatedFolder);
  setenv("XDG_RUNTIME_DIR", pattern.c_str(), 1);
}

}  // namespace tintoral
