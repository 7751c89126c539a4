#pragma once
// The published-property registry: what a class publishes, with kinds,
// accessors, defaults and storage rules; the extra stream properties it
// defines; the named methods its events can be bound to; and its component
// fields. Classes fill it through TClassBuilder (runtime/ClassBuilder.h);
// form streams, property files and the data link read it.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/ClassInfo.h"
#include "runtime/Variant.h"

namespace tintoral {

class TObject;
class TPersistent;
class TComponent;
class TReader;
class TWriter;

// Kind codes of published properties.
enum TTypeKind : int {
  tkUnknown = 0,
  tkInteger = 1,
  tkChar = 2,
  tkEnumeration = 3,  // Booleans included
  tkFloat = 4,
  tkString = 5,  // short string
  tkSet = 6,
  tkClass = 7,   // a held object
  tkMethod = 8,  // an event
  tkWChar = 9,
  tkLString = 10,
  tkWString = 11,
  tkVariant = 12,
  tkInt64 = 16,
};

enum TFloatType : int { ftSingle, ftDouble, ftExtended };

bool IsOrdinalKind(TTypeKind kind);  // integer, char, enumeration, set, wide char, 64-bit integer
bool IsStringKind(TTypeKind kind);   // short, long and wide strings

// An enumeration type: its name and value names in ordinal order (the
// ordinals run from 0). Also the element type of a set.
class TEnumType {
 public:
  TEnumType(std::string name, std::vector<std::string> valueNames);

  const std::string& Name() const { return name_; }
  int Count() const { return static_cast<int>(names_.size()); }
  // Raises InvalidOperation for an ordinal outside 0 .. Count() - 1.
  const std::string& NameOf(std::int64_t ordinal) const;
  // The ordinal of a value name (case ignored), -1 when there is none.
  int ValueOf(std::string_view name) const;

 private:
  std::string name_;
  std::vector<std::string> names_;
};

// Boolean: False, True.
const TEnumType& BooleanType();

// One published property. Accessors that a property does not have are empty;
// the value functions below raise InvalidOperation when asked for a value of
// another kind or through a missing accessor.
class TPropertyInfo {
 public:
  TPropertyInfo(std::string name, TTypeKind kind, std::string typeName);

  const std::string& Name() const { return name_; }
  TTypeKind Kind() const { return kind_; }
  // "Integer", "Boolean", "TColor", "TiBevelStyle", "TFont", ...: names a
  // named integer type's identifiers (runtime/IdentMap.h).
  const std::string& TypeName() const { return typeName_; }
  bool HasGetter() const;
  bool HasSetter() const;
  bool IsStored(const TObject& object) const;

  // Ordinals: the default (nothing = "no default": always written) and the
  // range the C++ type holds.
  const std::optional<std::int64_t>& OrdinalDefault() const { return ordinalDefault_; }
  std::int64_t MinValue() const { return minValue_; }
  std::int64_t MaxValue() const { return maxValue_; }
  // Enumeration values, or the elements of a set; nullptr for other kinds.
  const TEnumType* EnumType() const { return enumType_; }
  // Floats: subtype and default (nothing = written when not 0).
  TFloatType FloatType() const { return floatType_; }
  const std::optional<long double>& FloatDefault() const { return floatDefault_; }

  std::int64_t GetOrdinal(const TObject& object) const;
  void SetOrdinal(TObject& object, std::int64_t value) const;
  long double GetFloat(const TObject& object) const;
  void SetFloat(TObject& object, long double value) const;
  std::string GetString(const TObject& object) const;
  void SetString(TObject& object, const std::string& value) const;
  TVariant GetVariant(const TObject& object) const;
  void SetVariant(TObject& object, const TVariant& value) const;
  // Object kind: the class of the held object.
  const TClassInfo* ObjectClass() const { return objectClass_; }
  // Object kind: the held object (may be nullptr), and the setter that
  // copies another object into it.
  TPersistent* GetObject(const TObject& object) const;
  void SetObject(TObject& object, TPersistent* value) const;
  // Method kind: the name of the bound method ("" when the event has no
  // handler or one that was not bound by name), whether any handler is
  // assigned, binding a named method of `instance`, and clearing.
  std::string GetMethodName(const TObject& object) const;
  bool HasHandler(const TObject& object) const;
  // Raises InvalidOperation when the method's signature does not fit.
  void BindMethod(TObject& object, const TMethodInfo& method, TObject& instance) const;
  void ClearHandler(TObject& object) const;
  // Method kind: the type names of the handler's parameters after the
  // sender ("Integer", "var Boolean", "TShiftState", ...).
  const std::vector<std::string>& EventParameters() const { return eventParameters_; }

  // Filled by the class builder.
  struct Accessors {
    std::function<std::int64_t(const TObject&)> getOrdinal;
    std::function<void(TObject&, std::int64_t)> setOrdinal;
    std::function<long double(const TObject&)> getFloat;
    std::function<void(TObject&, long double)> setFloat;
    std::function<std::string(const TObject&)> getString;
    std::function<void(TObject&, const std::string&)> setString;
    std::function<TVariant(const TObject&)> getVariant;
    std::function<void(TObject&, const TVariant&)> setVariant;
    std::function<TPersistent*(const TObject&)> getObject;
    std::function<void(TObject&, TPersistent*)> setObject;
    std::function<std::string(const TObject&)> getMethodName;
    std::function<bool(const TObject&)> hasHandler;
    // Returns false when the method's signature does not fit the event.
    std::function<bool(TObject&, const TMethodInfo&, TObject&)> bindMethod;
    std::function<void(TObject&)> clearHandler;
  };
  Accessors& Access() { return access_; }
  void SetOrdinalRange(std::int64_t min, std::int64_t max);
  void SetOrdinalDefault(std::optional<std::int64_t> value) { ordinalDefault_ = value; }
  void SetFloatDefault(std::optional<long double> value) { floatDefault_ = value; }
  void SetFloatType(TFloatType type) { floatType_ = type; }
  void SetEnumType(const TEnumType* type) { enumType_ = type; }
  void SetTypeName(std::string name) { typeName_ = std::move(name); }
  void SetKind(TTypeKind kind) { kind_ = kind; }
  void SetObjectClass(const TClassInfo* info) { objectClass_ = info; }
  void SetEventParameters(std::vector<std::string> types) { eventParameters_ = std::move(types); }
  void SetStored(bool stored);
  void SetStored(std::function<bool(const TObject&)> predicate);

 private:
  [[noreturn]] void Unsupported(const char* what) const;

  std::string name_;
  TTypeKind kind_;
  std::string typeName_;
  Accessors access_;
  std::optional<std::int64_t> ordinalDefault_;
  std::int64_t minValue_ = 0;
  std::int64_t maxValue_ = 0;
  const TEnumType* enumType_ = nullptr;
  TFloatType floatType_ = ftDouble;
  std::optional<long double> floatDefault_;
  bool stored_ = true;
  std::function<bool(const TObject&)> storedWhen_;
  const TClassInfo* objectClass_ = nullptr;
  std::vector<std::string> eventParameters_;
};

// An extra stream property: written after the published properties when it
// has data, read by its own reader. A binary property's value is a byte
// block (`{ hex }` in the text form); a custom one reads and writes any value
// through the reader and writer.
class TStreamPropertyInfo {
 public:
  using Bytes = std::vector<std::uint8_t>;
  struct Accessors {
    std::function<void(TObject&, TReader&)> read;
    std::function<void(const TObject&, TWriter&)> write;
    std::function<void(TObject&, const Bytes&)> readBinary;
    std::function<Bytes(const TObject&)> writeBinary;
    std::function<bool(const TObject&)> hasData;  // empty: always written
  };

  TStreamPropertyInfo(std::string name, Accessors access) : name_(std::move(name)), access_(std::move(access)) {}

  const std::string& Name() const { return name_; }
  bool IsBinary() const { return static_cast<bool>(access_.readBinary); }
  bool HasData(const TObject& object) const { return !access_.hasData || access_.hasData(object); }
  // The reader and writer call read / write, or readBinary / writeBinary
  // for a binary property.
  const Accessors& Access() const { return access_; }

 private:
  std::string name_;
  Accessors access_;
};

// A named method that events can be bound to. TTypedMethod<Args...>
// (runtime/Event.h) adds the signature.
class TMethodInfo {
 public:
  explicit TMethodInfo(std::string name) : name_(std::move(name)) {}
  virtual ~TMethodInfo() = default;
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

// A component pointer member of a root class that a form stream fills with
// the component of the same name.
class TFieldInfo {
 public:
  // assign: stores the component (or nullptr); false when the field cannot
  // hold a component of that class. holds: true when it points to it.
  TFieldInfo(std::string name, std::string className, std::function<bool(TObject&, TComponent*)> assign,
             std::function<bool(const TObject&, const TComponent*)> holds)
      : name_(std::move(name)),
        className_(std::move(className)),
        assign_(std::move(assign)),
        holds_(std::move(holds)) {}

  const std::string& Name() const { return name_; }
  const std::string& ClassName() const { return className_; }
  bool Assign(TObject& root, TComponent* component) const { return assign_(root, component); }
  bool Holds(const TObject& root, const TComponent* component) const { return holds_(root, component); }

 private:
  std::string name_;
  std::string className_;
  std::function<bool(TObject&, TComponent*)> assign_;
  std::function<bool(const TObject&, const TComponent*)> holds_;
};

// What one class declares, in declaration order, plus the lists with the
// ancestors' members in front (filled once the class is described).
struct TClassMembers {
  std::vector<std::unique_ptr<TPropertyInfo>> properties;
  std::vector<std::unique_ptr<TStreamPropertyInfo>> streamProperties;
  std::vector<std::unique_ptr<TMethodInfo>> methods;
  std::vector<std::unique_ptr<TFieldInfo>> fields;
  std::vector<std::unique_ptr<TEnumType>> enumTypes;  // value lists given inline

  std::vector<const TPropertyInfo*> allProperties;
  std::vector<const TStreamPropertyInfo*> allStreamProperties;
};

}  // namespace tintoral
