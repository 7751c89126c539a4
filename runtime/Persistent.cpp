#include "runtime/Persistent.h"

#include "runtime/Exception.h"

namespace tintoral {

const TClassInfo& TObject::StaticClass() {
  static const TClassInfo info("TObject", nullptr);
  return info;
}

const TClassInfo& TPersistent::StaticClass() {
  static const TClassInfo info("TPersistent", &TObject::StaticClass());
  return info;
}

void TPersistent::Assign(const TPersistent& source) { source.AssignTo(*this); }

void TPersistent::AssignTo(TPersistent& dest) const {
  throw InvalidOperation("Cannot assign a " + ClassName() + " to a " + dest.ClassName());
}

}  // namespace tintoral
