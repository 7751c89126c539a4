#pragma once
// Run-time class descriptor: the class name, its parent, and (filled in by the
// property registry) the published properties declared by the class.
//
// A class without published members defines its descriptor as
//   static const TClassInfo info("TPen", &TPersistent::StaticClass());
// A class with published members describes them with a builder (see
// runtime/ClassBuilder.h), which runs once, when the members are first asked
// for:
//   static const TClassInfo info = DescribeClass<TiX>("TiX", TiBase::StaticClass(),
//       [](TClassBuilder<TiX>& b) { b.Property("Position", ...); });
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace tintoral {

class TPropertyInfo;
class TStreamPropertyInfo;
class TMethodInfo;
class TFieldInfo;
struct TClassMembers;

class TClassInfo {
 public:
  using Describer = std::function<void(TClassMembers&)>;

  TClassInfo(std::string name, const TClassInfo* parent);
  TClassInfo(std::string name, const TClassInfo* parent, Describer describe);
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;
  ~TClassInfo();

  const std::string& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const TClassInfo& other) const {
    for (const TClassInfo* c = this; c; c = c->parent_)
      if (c == &other) return true;
    return false;
  }

  // Published properties: the ancestors' first, each class in the order it
  // declared them.
  const std::vector<const TPropertyInfo*>& Properties() const;
  // By name, letters compared without regard to case; nullptr when unknown.
  const TPropertyInfo* FindProperty(std::string_view name) const;
  // Extra stream properties, written after the published ones, ancestors'
  // first.
  const std::vector<const TStreamPropertyInfo*>& StreamProperties() const;
  const TStreamPropertyInfo* FindStreamProperty(std::string_view name) const;
  // Named methods that form streams can bind events to (this class first,
  // then its ancestors).
  const TMethodInfo* FindMethod(std::string_view name) const;
  // Component fields that a form stream fills with the components it creates.
  const TFieldInfo* FindField(std::string_view name) const;

 private:
  const TClassMembers& Members() const;

  std::string name_;
  const TClassInfo* parent_;
  Describer describe_;
  std::unique_ptr<TClassMembers> members_;  // filled once, on first use
  mutable std::once_flag described_;
};

}  // namespace tintoral

// Declares the run-time class of a class. Put it first in the class body; define
// StaticClass() in the class's .cpp file.
#define TINTORAL_CLASS(Class, Parent)                                                \
 public:                                                                             \
  static const ::tintoral::TClassInfo& StaticClass();                                \
  const ::tintoral::TClassInfo& ClassType() const override { return StaticClass(); } \
                                                                                     \
 private:
