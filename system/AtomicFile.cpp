#include "system/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tintoral {
namespace {

constexpr int kMostLinksFollowed = 40;  // as the kernel's own limit

std::string Folder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void Fail(const std::string& path, int error) {
  throw AtomicSaveError("Cannot save \"" + path + "\": " + std::strerror(error));
}

// The file a chain of symbolic links ends in (which need not exist yet).
std::string FinalTarget(const std::string& path) {
  std::string target = path;
  for (int followed = 0; followed < kMostLinksFollowed; ++followed) {
    struct stat status {};
    if (lstat(target.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return target;
    std::string link(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 4096) + 1, '\0');
    const ssize_t length = readlink(target.c_str(), link.data(), link.size());
    if (length < 0) Fail(path, errno);
    link.resize(static_cast<std::size_t>(length));
    target = link.starts_with('/') ? link : Folder(target) + "/" + link;
  }
  Fail(path, ELOOP);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

// A new temporary file beside `target`, with the permissions and (where
// allowed) the owner of the file it replaces; -1 with errno set on failure.
int CreateTemporary(const std::string& target, std::string& temporary) {
  static std::atomic<unsigned> serial{0};
  const std::size_t slash = target.rfind('/');
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  temporary = folder + "." + name + ".saving-" + std::to_string(getpid()) + "-" + std::to_string(serial++);
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  struct stat old {};
  if (stat(target.c_str(), &old) == 0) {
    if (fchown(fd, old.st_uid, old.st_gid) != 0) {
      // Only the owner's group may be kept by someone else; the mode still is.
    }
    if (fchmod(fd, old.st_mode & 07777) != 0) {
      const int error = errno;
      close(fd);
      unlink(temporary.c_str());
      errno = error;
      return -1;
    }
  }
  return fd;
}

// The rename reaches the disk with its folder's entry.
void SyncFolder(const std::string& target) {
  const int fd = open(Folder(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

void SaveFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string target = FinalTarget(path);
  // A file its user may not write stays as it is, as it would when written in place.
  if (access(target.c_str(), F_OK) == 0 && access(target.c_str(), W_OK) != 0) Fail(path, errno);
  std::string temporary;
  const int fd = CreateTemporary(target, temporary);
  if (fd < 0) Fail(path, errno);
  bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && std::rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    unlink(temporary.c_str());
    Fail(path, error);
  }
  SyncFolder(target);
}

}  // namespace tintoral
