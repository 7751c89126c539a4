#include "ChildProcesses.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace tintoral::test {
namespace {

// "" when the file cannot be read: a process that ends while it is read
// makes the read fail, and the stream then throws.
std::string FileText(const std::string& path) {
  try {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  } catch (const std::ios_base::failure&) {
    return "";
  }
}

// The parent's pid from /proc/PID/stat (0 when it cannot be read).
pid_t ParentOf(pid_t pid) {
  const std::string stat = FileText("/proc/" + std::to_string(pid) + "/stat");
  const auto close = stat.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(stat.substr(close + 2));
  std::string state;
  pid_t parent = 0;
  fields >> state >> parent;
  return parent;
}

}  // namespace

std::vector<pid_t> HelperPids(pid_t parent) {
  std::vector<pid_t> pids;
  DIR* proc = opendir("/proc");
  while (dirent* entry = proc ? readdir(proc) : nullptr) {
    const pid_t pid = std::atoi(entry->d_name);
    if (pid <= 0 || ParentOf(pid) != parent) continue;
    if (FileText("/proc/" + std::to_string(pid) + "/cmdline").find("opcua-helper.mjs") != std::string::npos)
      pids.push_back(pid);
  }
  if (proc) closedir(proc);
  return pids;
}

long ResidentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}

}  // namespace tintoral::test
