#include "instruments/opc/LinkVariant.h"

namespace tintoral {

TLinkVariant::TLinkVariant(const TVariant& value) {
  switch (value.Type()) {
    case TVarType::Empty: value_.type = IOPC_VT_EMPTY; break;
    case TVarType::Integer:
      value_.type = IOPC_VT_INT32;
      value_.value.int32Value = value.ToInt();
      break;
    case TVarType::Int64:
      value_.type = IOPC_VT_INT64;
      value_.value.int64Value = value.ToInt64();
      break;
    case TVarType::Double:
      value_.type = IOPC_VT_DOUBLE;
      value_.value.doubleValue = value.ToDouble();
      break;
    case TVarType::Boolean:
      value_.type = IOPC_VT_BOOLEAN;
      value_.value.booleanValue = value.ToBool() ? 1 : 0;
      break;
    case TVarType::String:
      text_ = value.ToString();
      value_.type = IOPC_VT_TEXT;
      value_.value.text.bytes = text_.data();
      value_.value.text.length = text_.size();
      break;
  }
}

TVariant FromLinkVariant(const IOPCVariant& value) {
  switch (value.type) {
    case IOPC_VT_INT32: return value.value.int32Value;
    case IOPC_VT_INT64: return value.value.int64Value;
    case IOPC_VT_DOUBLE: return value.value.doubleValue;
    case IOPC_VT_BOOLEAN: return value.value.booleanValue != 0;
    case IOPC_VT_TEXT:
      if (value.value.text.bytes == nullptr) return std::string();
      return std::string(value.value.text.bytes, value.value.text.length);
    default: return {};
  }
}

}  // namespace tintoral
