#pragma once
// A value a link library keeps for an item and hands to the data link: the
// variant's type with its number or text held by the value itself.
#include <cstdint>
#include <string>

#include "instruments/opc/LinkLibrary.h"

namespace tintoral::linklib {

struct LinkValue {
  IOPCVariantType type = IOPC_VT_EMPTY;
  std::int64_t integer = 0;  // INT32, INT64 and BOOLEAN
  double real = 0;           // DOUBLE
  std::string text;          // TEXT

  bool operator==(const LinkValue&) const = default;
  // The value as the data link takes it; valid while this value lives.
  IOPCVariant Variant() const;

  // A copy of the data link's value, its text included; EMPTY for a type
  // not known.
  static LinkValue From(const IOPCVariant& variant);
  static LinkValue Integer(IOPCVariantType type, std::int64_t number);
  static LinkValue Real(double number);
  static LinkValue Text(std::string text);
};

}  // namespace tintoral::linklib
