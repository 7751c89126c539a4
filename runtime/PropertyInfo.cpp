#include "runtime/PropertyInfo.h"

#include "runtime/Exception.h"
#include "runtime/Identifiers.h"

namespace tintoral {

bool IsOrdinalKind(TTypeKind kind) {
  return kind == tkInteger || kind == tkChar || kind == tkEnumeration || kind == tkSet || kind == tkWChar ||
         kind == tkInt64;
}

bool IsStringKind(TTypeKind kind) { return kind == tkString || kind == tkLString || kind == tkWString; }

TEnumType::TEnumType(std::string name, std::vector<std::string> valueNames)
    : name_(std::move(name)), names_(std::move(valueNames)) {}

const std::string& TEnumType::NameOf(std::int64_t ordinal) const {
  if (ordinal < 0 || ordinal >= Count())
    throw InvalidOperation("Value " + std::to_string(ordinal) + " is not in the range of " + name_);
  return names_[static_cast<std::size_t>(ordinal)];
}

int TEnumType::ValueOf(std::string_view name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(names_[static_cast<std::size_t>(i)], name)) return i;
  return -1;
}

const TEnumType& BooleanType() {
  static const TEnumType type("Boolean", {"False", "True"});
  return type;
}

TPropertyInfo::TPropertyInfo(std::string name, TTypeKind kind, std::string typeName)
    : name_(std::move(name)), kind_(kind), typeName_(std::move(typeName)) {}

bool TPropertyInfo::HasGetter() const {
  return access_.getOrdinal || access_.getFloat || access_.getString || access_.getVariant || access_.getObject ||
         access_.getMethodName;
}

bool TPropertyInfo::HasSetter() const {
  return access_.setOrdinal || access_.setFloat || access_.setString || access_.setVariant || access_.setObject ||
         access_.bindMethod;
}

bool TPropertyInfo::IsStored(const TObject& object) const {
  if (storedWhen_) return storedWhen_(object);
  return stored_;
}

void TPropertyInfo::SetStored(bool stored) {
  stored_ = stored;
  storedWhen_ = nullptr;
}

void TPropertyInfo::SetStored(std::function<bool(const TObject&)> predicate) { storedWhen_ = std::move(predicate); }

void TPropertyInfo::SetOrdinalRange(std::int64_t min, std::int64_t max) {
  minValue_ = min;
  maxValue_ = max;
}

void TPropertyInfo::Unsupported(const char* what) const {
  throw InvalidOperation("Property " + name_ + " has no " + what);
}

std::int64_t TPropertyInfo::GetOrdinal(const TObject& object) const {
  if (!access_.getOrdinal) Unsupported("ordinal getter");
  return access_.getOrdinal(object);
}

void TPropertyInfo::SetOrdinal(TObject& object, std::int64_t value) const {
  if (!access_.setOrdinal) Unsupported("ordinal setter");
  access_.setOrdinal(object, value);
}

long double TPropertyInfo::GetFloat(const TObject& object) const {
  if (!access_.getFloat) Unsupported("float getter");
  return access_.getFloat(object);
}

void TPropertyInfo::SetFloat(TObject& object, long double value) const {
  if (!access_.setFloat) Unsupported("float setter");
  access_.setFloat(object, value);
}

std::string TPropertyInfo::GetString(const TObject& object) const {
  if (!access_.getString) Unsupported("string getter");
  return access_.getString(object);
}

void TPropertyInfo::SetString(TObject& object, const std::string& value) const {
  if (!access_.setString) Unsupported("string setter");
  access_.setString(object, value);
}

TVariant TPropertyInfo::GetVariant(const TObject& object) const {
  if (!access_.getVariant) Unsupported("variant getter");
  return access_.getVariant(object);
}

void TPropertyInfo::SetVariant(TObject& object, const TVariant& value) const {
  if (!access_.setVariant) Unsupported("variant setter");
  access_.setVariant(object, value);
}

TPersistent* TPropertyInfo::GetObject(const TObject& object) const {
  if (!access_.getObject) Unsupported("object getter");
  return access_.getObject(object);
}

void TPropertyInfo::SetObject(TObject& object, TPersistent* value) const {
  if (!access_.setObject) Unsupported("object setter");
  access_.setObject(object, value);
}

std::string TPropertyInfo::GetMethodName(const TObject& object) const {
  if (!access_.getMethodName) Unsupported("event getter");
  return access_.getMethodName(object);
}

bool TPropertyInfo::HasHandler(const TObject& object) const {
  if (!access_.hasHandler) Unsupported("event getter");
  return access_.hasHandler(object);
}

void TPropertyInfo::BindMethod(TObject& object, const TMethodInfo& method, TObject& instance) const {
  if (!access_.bindMethod) Unsupported("event setter");
  if (!access_.bindMethod(object, method, instance))
    throw InvalidOperation("Method " + method.Name() + " does not fit event " + name_);
}

void TPropertyInfo::ClearHandler(TObject& object) const {
  if (!access_.clearHandler) Unsupported("event setter");
  access_.clearHandler(object);
}

}  // namespace tintoral
