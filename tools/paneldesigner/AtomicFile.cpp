#include "tools/paneldesigner/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "runtime/Exception.h"
#include "runtime/ScopeExit.h"

namespace tintoral {
namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void Fail(const std::string& path, int error) {
  throw FileError("Cannot write " + path + ": " + std::strerror(error));
}

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(path, errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::string temporaryName = path + ".XXXXXX";
  std::vector<char> name(temporaryName.begin(), temporaryName.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) Fail(path, errno);
  temporaryName = name.data();
  bool renamed = false;
  const TScopeExit cleanUp([&] {
    if (!renamed) ::unlink(temporaryName.c_str());
  });
  {
    const TScopeExit closeFile([fd] { ::close(fd); });
    // An existing file keeps its permissions; a new one gets the usual 0666 less the umask.
    struct stat old {};
    mode_t mode = 0;
    if (::stat(path.c_str(), &old) == 0) {
      mode = old.st_mode & 07777;
    } else {
      const mode_t mask = ::umask(0);
      ::umask(mask);
      mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) Fail(path, errno);
    WriteAll(fd, bytes, path);
    if (::fsync(fd) != 0) Fail(path, errno);
  }
  if (::rename(temporaryName.c_str(), path.c_str()) != 0) Fail(path, errno);
  renamed = true;
  // The rename itself reaches the disk with the folder.
  const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
}

}  // namespace tintoral
