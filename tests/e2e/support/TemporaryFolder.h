#pragma once
// A private temporary folder, removed with everything in it with the object.
#include <string>

namespace tintoral::e2e {

class TemporaryFolder {
 public:
  // Throws std::runtime_error when it cannot be created.
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace tintoral::e2e
