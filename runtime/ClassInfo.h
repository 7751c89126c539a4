#pragma once
// Run-time class descriptor: the class name, its parent, and (filled in by the
// property registry) the published properties declared by the class.
#include <string>

namespace tintoral {

class TClassInfo {
 public:
  TClassInfo(std::string name, const TClassInfo* parent) : name_(std::move(name)), parent_(parent) {}
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const std::string& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
      if (c == &other) return true;
    return false;
  }

 private:
  std::string name_;
  const TClassInfo* parent_;
};

}  // namespace tintoral

// Declares the run-time class of a class. Put it first in the class body; define
// StaticClass() in the class's .cpp file.
#define TINTORAL_CLASS(Class, Parent)                                                    \
 public:                                                                                 \
  static const ::tintoral::TClassInfo& StaticClass();                                    \
  const ::tintoral::TClassInfo& ClassType() const override { return StaticClass(); }   \
                                                                                         \
 private:
