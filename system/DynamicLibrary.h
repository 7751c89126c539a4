#pragma once
// A shared library loaded at run time, and the functions it exports.
// A library that cannot be loaded and a function that is not there are
// ordinary results, not errors.
#include <string>

namespace tintoral {

class DynamicLibrary {
 public:
  DynamicLibrary() = default;  // nothing loaded
  // Loads the library by file name; a name without "/" is searched for on
  // the system's library path.
  explicit DynamicLibrary(const std::string& fileName);
  ~DynamicLibrary();

  DynamicLibrary(DynamicLibrary&& other) noexcept;
  DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  bool Loaded() const { return handle_ != nullptr; }
  // The system's reason when loading failed, for diagnostics.
  const std::string& LoadError() const { return loadError_; }

  // The exported symbol of that name, or nullptr when the library is not
  // loaded or does not export it.
  void* Symbol(const std::string& name) const;

  // The exported function of that name as a pointer of type F (a function
  // type such as double(double)), or nullptr.
  template <typename F>
  F* Function(const std::string& name) const {
    return reinterpret_cast<F*>(Symbol(name));
  }

  // Unloads the library, if one is loaded.
  void Unload();

 private:
  void* handle_ = nullptr;
  std::string loadError_;
};

}  // namespace tintoral
