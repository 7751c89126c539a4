#pragma once
// Saving a user's file so that it always holds either its old contents or
// the new ones, never a part: the bytes go to a temporary file in the same
// folder, are flushed to the disk and renamed over the file. The file keeps
// its permissions; a symbolic link is followed and its target replaced, so
// the link stays a link.
#include <stdexcept>
#include <string>
#include <string_view>

namespace tintoral {

// "Cannot save "PATH": REASON" (a full disk, no permission, a read-only
// folder...); the file is then as it was before.
class AtomicSaveError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

void SaveFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace tintoral
