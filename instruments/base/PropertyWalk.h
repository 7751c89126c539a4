#pragma once
// Walks the published properties of an object and of the objects it holds,
// under their full dotted names ("Font.Size"). Property files, the property
// kinds of the data link and its property writes all go through it.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "runtime/Persistent.h"
#include "runtime/PropertyInfo.h"

namespace tintoral {

// prefix + "." + name, or name alone when the prefix is blank.
inline std::string FullName(const std::string& prefix, const std::string& name) {
  const bool blank =
      std::all_of(prefix.begin(), prefix.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
  return blank ? name : prefix + "." + name;
}

// Visits the properties of an object and of the objects it holds, in saving
// order: every property that has a setter (and is stored, when asked),
// objects by their own properties under the object's full name. `accept`
// may leave a property out, a held object with all its properties. `leaf`
// returns true to end the walk. An object already being walked further up
// is not entered again, so objects that hold each other cannot recurse
// without end.
template <class Accept, class Leaf>
class PropertyWalk {
 public:
  PropertyWalk(bool storedOnly, Accept accept, Leaf leaf)
      : storedOnly_(storedOnly), accept_(std::move(accept)), leaf_(std::move(leaf)) {}

  bool Walk(const TPersistent& object, const std::string& prefix) {
    path_.push_back(&object);
    const bool ended = WalkProperties(object, prefix);
    path_.pop_back();
    return ended;
  }

 private:
  bool WalkProperties(const TPersistent& object, const std::string& prefix) {
    for (const TPropertyInfo* property : object.ClassType().Properties()) {
      if (!property->HasSetter() || (storedOnly_ && !property->IsStored(object))) continue;
      const std::string fullName = FullName(prefix, property->Name());
      if (!accept_(fullName)) continue;
      if (property->Kind() != tkClass) {
        if (leaf_(object, *property, fullName)) return true;
        continue;
      }
      const TPersistent* held = property->HasGetter() ? property->GetObject(object) : nullptr;
      if (held && std::find(path_.begin(), path_.end(), held) == path_.end() && Walk(*held, fullName)) return true;
    }
    return false;
  }

  bool storedOnly_;
  Accept accept_;
  Leaf leaf_;
  std::vector<const TPersistent*> path_;
};

// The walk from `object`, whose properties are named under `prefix`.
template <class Accept, class Leaf>
bool WalkProperties(const TPersistent& object, bool storedOnly, Accept accept, Leaf leaf,
                    const std::string& prefix = "") {
  return PropertyWalk<Accept, Leaf>(storedOnly, std::move(accept), std::move(leaf)).Walk(object, prefix);
}

}  // namespace tintoral
