#pragma once
// A temporary file name for a PNG that another program writes, removed with
// the object.
#include <string>

namespace tintoral {
class TBitmap;
}

namespace tintoral::e2e {

class TemporaryPng {
 public:
  TemporaryPng();
  ~TemporaryPng();
  TemporaryPng(const TemporaryPng&) = delete;
  TemporaryPng& operator=(const TemporaryPng&) = delete;

  const std::string& Path() const { return path_; }
  // Reads the picture written there; throws std::runtime_error when there is none.
  void Decode(TBitmap& into) const;

 private:
  std::string path_;
};

}  // namespace tintoral::e2e
