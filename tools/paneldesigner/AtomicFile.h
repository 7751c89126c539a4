#pragma once
// Saving a file so that a crash or a full disk never leaves half of it: the
// bytes go to a new file in the same folder, which is flushed to the disk
// and then renamed over the old one (keeping its permissions).
#include <string>
#include <string_view>

namespace tintoral {

// Raises FileError "Cannot write PATH: reason"; the old file then stays as it was.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace tintoral
