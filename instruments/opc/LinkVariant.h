#pragma once
// Values between TVariant and the link library's C variant.
#include <string>

#include "instruments/opc/LinkLibrary.h"
#include "runtime/Variant.h"

namespace tintoral {

// A TVariant in the library's C form; a text points into this object, so
// the C value lives as long as it.
class TLinkVariant {
 public:
  explicit TLinkVariant(const TVariant& value);
  TLinkVariant(const TLinkVariant&) = delete;
  TLinkVariant& operator=(const TLinkVariant&) = delete;
  const IOPCVariant& Value() const { return value_; }

 private:
  std::string text_;
  IOPCVariant value_{};
};

// The C value as a TVariant (texts copied). An unknown type tag is Empty.
TVariant FromLinkVariant(const IOPCVariant& value);

}  // namespace tintoral
