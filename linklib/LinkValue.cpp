#include "linklib/LinkValue.h"

namespace tintoral::linklib {

IOPCVariant LinkValue::Variant() const {
  IOPCVariant variant{};
  variant.type = type;
  switch (type) {
    case IOPC_VT_INT32: variant.value.int32Value = static_cast<std::int32_t>(integer); break;
    case IOPC_VT_INT64: variant.value.int64Value = integer; break;
    case IOPC_VT_DOUBLE: variant.value.doubleValue = real; break;
    case IOPC_VT_BOOLEAN: variant.value.booleanValue = integer != 0; break;
    case IOPC_VT_TEXT:
      variant.value.text.bytes = text.data();
      variant.value.text.length = text.size();
      break;
    default: break;
  }
  return variant;
}

LinkValue LinkValue::From(const IOPCVariant& variant) {
  switch (variant.type) {
    case IOPC_VT_INT32: return Integer(IOPC_VT_INT32, variant.value.int32Value);
    case IOPC_VT_INT64: return Integer(IOPC_VT_INT64, variant.value.int64Value);
    case IOPC_VT_BOOLEAN: return Integer(IOPC_VT_BOOLEAN, variant.value.booleanValue != 0);
    case IOPC_VT_DOUBLE: return Real(variant.value.doubleValue);
    case IOPC_VT_TEXT:
      return Text(variant.value.text.bytes ? std::string(variant.value.text.bytes, variant.value.text.length)
                                           : std::string());
    default: return {};
  }
}

LinkValue LinkValue::Integer(IOPCVariantType type, std::int64_t number) {
  LinkValue value;
  value.type = type;
  value.integer = number;
  return value;
}

LinkValue LinkValue::Real(double number) {
  LinkValue value;
  value.type = IOPC_VT_DOUBLE;
  value.real = number;
  return value;
}

LinkValue LinkValue::Text(std::string text) {
  LinkValue value;
  value.type = IOPC_VT_TEXT;
  value.text = std::move(text);
  return value;
}

}  // namespace tintoral::linklib
