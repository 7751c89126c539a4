#pragma once
// Root classes of the class library: TObject knows its run-time class;
// TPersistent can copy the state of another persistent object.
#include <string>

#include "runtime/ClassInfo.h"

namespace tintoral {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClassInfo& StaticClass();
  virtual const TClassInfo& ClassType() const { return StaticClass(); }
  const std::string& ClassName() const { return ClassType().Name(); }
  bool InheritsFrom(const TClassInfo& cls) const { return ClassType().InheritsFrom(cls); }
};

class TPersistent : public TObject {
  TINTORAL_CLASS(TPersistent, TObject)

 public:
  // Copies the state of source into this object. The default asks source to
  // AssignTo this object; when neither side knows the other it raises
  // InvalidOperation "Cannot assign a <source class> to a <this class>".
  virtual void Assign(const TPersistent& source);

 protected:
  virtual void AssignTo(TPersistent& dest) const;
};

}  // namespace tintoral
