#pragma once
// TClassBuilder<T>: the typed way a class declares its published properties,
// events, extra stream properties, named methods and component fields.
//
//   const TClassInfo& TiX::StaticClass() {
//     static const TClassInfo info = DescribeClass<TiX>("TiX", TiBase::StaticClass(), [](auto& b) {
//       b.Property("Position", &TiX::Position, &TiX::SetPosition);          // double: written when not 0
//       b.Property("Visible", &TiX::Visible, &TiX::SetVisible).Default(true);
//       b.Property("BorderStyle", &TiX::BorderStyle, &TiX::SetBorderStyle)  // enum with EnumTypeOf()
//           .Default(ibsNone);
//       b.Enum("Mode", &TiX::Mode, &TiX::SetMode, {"mdOne", "mdTwo"});
//       b.Set("Style", &TiX::Style, &TiX::SetStyle, FontStyleType);
//       b.Property("Color", &TiX::Color, &TiX::SetColor).Default(clRed).TypeName("TColor");
//       b.Object("Font", &TiX::Font, &TiX::SetFont);
//       b.Event("OnPositionChange", &TiX::OnPositionChange, &TiX::SetOnPositionChange);
//       b.StreamProperty("PositionMax_2", &TiX::ReadMax2, &TiX::WriteMax2);
//     });
//     return info;
//   }
//
// The value kind follows the C++ type the getter returns: bool and enums
// with an EnumTypeOf(E) overload (found by argument-dependent lookup) are
// enumerations, char a character, char16_t a wide character, other integers
// up to 32 bits integers, 64-bit integers the 64-bit kind, floating types
// floats, std::string a long string, std::u16string a wide string (converted
// from and to Windows-1252), TVariant a variant.
//
// Ordinal properties without Default() have no default and are always
// written; floats without Default() are written when not 0; strings when not
// empty. The builder raises InvalidOperation for a default of the wrong kind
// or outside the property's range.
#include <concepts>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "runtime/ClassInfo.h"
#include "runtime/Event.h"
#include "runtime/Exception.h"
#include "runtime/Persistent.h"
#include "runtime/PropertyInfo.h"
#include "runtime/Variant.h"
#include "runtime/Windows1252.h"

namespace tintoral {

class TComponent;

template <class E>
concept DescribedEnum = std::is_enum_v<E> && requires(E e) {
  { EnumTypeOf(e) } -> std::same_as<const TEnumType&>;
};

// The object as the class a property belongs to.
template <class T>
T& ObjectAs(TObject& object) {
  if (auto* typed = dynamic_cast<T*>(&object)) return *typed;
  throw InvalidOperation("A " + object.ClassName() + " is not a " + T::StaticClass().Name());
}
template <class T>
T& ObjectAs(const TObject& object) {
  // Getters of sub-objects are often non-const; objects are never created const.
  return ObjectAs<T>(const_cast<TObject&>(object));
}

// Options of the property just declared.
template <class T>
class TPropertyOptions {
 public:
  explicit TPropertyOptions(TPropertyInfo& info) : info_(info) {}

  template <class V>
  TPropertyOptions& Default(V value) {
    if (info_.Kind() == tkFloat) {
      info_.SetFloatDefault(static_cast<long double>(value));
    } else if (IsOrdinalKind(info_.Kind()) && !std::is_floating_point_v<V>) {
      // A char default is its byte value, as the property's ordinal is.
      const auto ordinal = std::is_same_v<V, char> ? static_cast<std::int64_t>(static_cast<unsigned char>(value))
                                                   : static_cast<std::int64_t>(value);
      if (ordinal < info_.MinValue() || ordinal > info_.MaxValue())
        throw InvalidOperation("Default of " + info_.Name() + " is out of range");
      info_.SetOrdinalDefault(ordinal);
    } else {
      throw InvalidOperation("Property " + info_.Name() + " cannot have a default");
    }
    return *this;
  }
  TPropertyOptions& NoDefault() {
    info_.SetOrdinalDefault(std::nullopt);
    info_.SetFloatDefault(std::nullopt);
    return *this;
  }
  TPropertyOptions& Stored(bool stored) {
    info_.SetStored(stored);
    return *this;
  }
  // A member function `bool IsXStored() const` or a callable taking const T&.
  template <class Predicate>
  TPropertyOptions& Stored(Predicate predicate) {
    info_.SetStored([predicate](const TObject& object) -> bool { return std::invoke(predicate, ObjectAs<T>(object)); });
    return *this;
  }
  // The named integer type whose identifiers a stream writes (e.g. "TColor").
  TPropertyOptions& TypeName(std::string name) {
    info_.SetTypeName(std::move(name));
    return *this;
  }
  TPropertyOptions& ShortString() {
    if (info_.Kind() != tkLString) throw InvalidOperation("Property " + info_.Name() + " is not a string");
    info_.SetKind(tkString);
    return *this;
  }

 private:
  TPropertyInfo& info_;
};

template <class T>
class TClassBuilder {
 public:
  using Bytes = TStreamPropertyInfo::Bytes;

  explicit TClassBuilder(TClassMembers& members) : members_(members) {}

  // A read-write property; the kind follows the getter's type.
  template <class Getter, class Setter>
  TPropertyOptions<T> Property(std::string name, Getter getter, Setter setter) {
    return Declare<ValueOf<Getter>>(std::move(name), getter, &setter);
  }
  // A read-only property.
  template <class Getter>
  TPropertyOptions<T> Property(std::string name, Getter getter) {
    return Declare<ValueOf<Getter>>(std::move(name), getter, static_cast<NoSetter*>(nullptr));
  }

  // An enumeration held in an enum or integer type, with its value names.
  template <class Getter, class Setter>
  TPropertyOptions<T> Enum(std::string name, Getter getter, Setter setter, const TEnumType& type) {
    TPropertyInfo& info = Add(std::move(name), tkEnumeration, type.Name());
    info.SetEnumType(&type);
    info.SetOrdinalRange(0, type.Count() - 1);
    BindOrdinal<ValueOf<Getter>>(info, getter, &setter);
    return TPropertyOptions<T>(info);
  }
  template <class Getter, class Setter>
  TPropertyOptions<T> Enum(std::string name, Getter getter, Setter setter, std::initializer_list<const char*> names) {
    return Enum(std::move(name), getter, setter, OwnEnumType(names));
  }

  // A set held as a bit mask (bit n = element n).
  template <class Getter, class Setter>
  TPropertyOptions<T> Set(std::string name, Getter getter, Setter setter, const TEnumType& elements) {
    static_assert(std::is_integral_v<ValueOf<Getter>>, "a set is held as an integer bit mask");
    if (elements.Count() > 32) throw InvalidOperation("A set has at most 32 elements");
    TPropertyInfo& info = Add(std::move(name), tkSet, "set of " + elements.Name());
    info.SetEnumType(&elements);
    info.SetOrdinalRange(0, (std::int64_t{1} << elements.Count()) - 1);
    info.SetOrdinalDefault(0);
    BindOrdinal<ValueOf<Getter>>(info, getter, &setter);
    return TPropertyOptions<T>(info);
  }
  template <class Getter, class Setter>
  TPropertyOptions<T> Set(std::string name, Getter getter, Setter setter, std::initializer_list<const char*> elements) {
    return Set(std::move(name), getter, setter, OwnEnumType(elements));
  }

  // A held persistent object (returned as U* or U&); its properties are
  // streamed as "Name.Property". The optional setter takes U* or const U&.
  template <class Getter>
  TPropertyOptions<T> Object(std::string name, Getter getter) {
    return DeclareObject(std::move(name), getter, static_cast<NoSetter*>(nullptr));
  }
  template <class Getter, class Setter>
  TPropertyOptions<T> Object(std::string name, Getter getter, Setter setter) {
    return DeclareObject(std::move(name), getter, &setter);
  }

  // An event: a TEvent<Args...> member, or a getter and a setter of one.
  template <class... Args>
  TPropertyOptions<T> Event(std::string name, TEvent<Args...> T::*member) {
    return Event(
        std::move(name), [member](const T& t) -> const TEvent<Args...>& { return t.*member; },
        [member](T& t, TEvent<Args...> e) { t.*member = std::move(e); });
  }
  template <class Getter, class Setter>
  TPropertyOptions<T> Event(std::string name, Getter getter, Setter setter) {
    using E = ValueOf<Getter>;
    static_assert(IsEventType<E>::value, "an event property's getter returns a TEvent");
    TPropertyInfo& info = Add(std::move(name), tkMethod, "event");
    info.SetEventParameters(EventParameterTypeNames(E()));
    auto& access = info.Access();
    access.getMethodName = [getter](const TObject& o) { return std::invoke(getter, ObjectAs<T>(o)).MethodName(); };
    access.hasHandler = [getter](const TObject& o) { return static_cast<bool>(std::invoke(getter, ObjectAs<T>(o))); };
    access.bindMethod = [setter](TObject& o, const TMethodInfo& method, TObject& instance) {
      E event;
      if (!BindEventToMethod(event, method, instance)) return false;
      std::invoke(setter, ObjectAs<T>(o), std::move(event));
      return true;
    };
    access.clearHandler = [setter](TObject& o) { std::invoke(setter, ObjectAs<T>(o), E()); };
    return TPropertyOptions<T>(info);
  }

  // A method `void T::Name(TObject* sender, Args...)` that events read from
  // a form stream can be bound to by name.
  template <class... Args>
  void Method(std::string name, void (T::*method)(TObject*, Args...)) {
    using Handler = typename TEvent<Args...>::Handler;
    members_.methods.push_back(
        std::make_unique<TTypedMethod<Args...>>(std::move(name), [method](TObject& instance) -> Handler {
          T* self = &ObjectAs<T>(instance);
          return
              [self, method](TObject* sender, Args... args) { (self->*method)(sender, std::forward<Args>(args)...); };
        }));
  }

  // A component pointer member that a form stream fills with the component
  // of the same name, and that is cleared when that component goes away.
  template <class U>
  void Field(std::string name, U* T::*member) {
    static_assert(std::is_base_of_v<TComponent, U>, "a field holds a component");
    members_.fields.push_back(std::make_unique<TFieldInfo>(
        std::move(name), U::StaticClass().Name(),
        [member](TObject& root, TComponent* component) {
          U* typed = component ? dynamic_cast<U*>(component) : nullptr;
          if (component && !typed) return false;
          ObjectAs<T>(root).*member = typed;
          return true;
        },
        [member](const TObject& root, const TComponent* component) {
          return static_cast<const TComponent*>(ObjectAs<T>(root).*member) == component;
        }));
  }

  // An extra stream property read and written by the object itself:
  // read(T&, TReader&), write(const T&, TWriter&), and optionally
  // hasData(const T&) deciding whether it is written at all.
  template <class Reader, class Writer>
  void StreamProperty(std::string name, Reader read, Writer write) {
    AddStream(std::move(name), Custom(read, write), nullptr);
  }
  template <class Reader, class Writer, class HasData>
  void StreamProperty(std::string name, Reader read, Writer write, HasData hasData) {
    AddStream(std::move(name), Custom(read, write), Predicate(hasData));
  }
  // An extra stream property holding a byte block: read(T&, const Bytes&),
  // write(const T&) -> Bytes.
  template <class Reader, class Writer>
  void BinaryProperty(std::string name, Reader read, Writer write) {
    AddStream(std::move(name), Binary(read, write), nullptr);
  }
  template <class Reader, class Writer, class HasData>
  void BinaryProperty(std::string name, Reader read, Writer write, HasData hasData) {
    AddStream(std::move(name), Binary(read, write), Predicate(hasData));
  }

 private:
  struct NoSetter {};
  template <class Getter>
  using ValueOf = std::remove_cvref_t<std::invoke_result_t<Getter, T&>>;

  TPropertyInfo& Add(std::string name, TTypeKind kind, std::string typeName) {
    members_.properties.push_back(std::make_unique<TPropertyInfo>(std::move(name), kind, std::move(typeName)));
    return *members_.properties.back();
  }

  const TEnumType& OwnEnumType(std::initializer_list<const char*> names) {
    members_.enumTypes.push_back(std::make_unique<TEnumType>("", std::vector<std::string>(names.begin(), names.end())));
    return *members_.enumTypes.back();
  }

  template <class V, class Getter, class Setter>
  TPropertyOptions<T> Declare(std::string name, Getter getter, Setter* setter) {
    if constexpr (std::is_same_v<V, bool>) {
      TPropertyInfo& info = Add(std::move(name), tkEnumeration, "Boolean");
      info.SetEnumType(&BooleanType());
      info.SetOrdinalRange(0, 1);
      BindOrdinal<V>(info, getter, setter);
      return TPropertyOptions<T>(info);
    } else if constexpr (std::is_enum_v<V>) {
      static_assert(DescribedEnum<V>, "declare `const TEnumType& EnumTypeOf(E)` for this enum, or use Enum()");
      const TEnumType& type = EnumTypeOf(V{});
      TPropertyInfo& info = Add(std::move(name), tkEnumeration, type.Name());
      info.SetEnumType(&type);
      info.SetOrdinalRange(0, type.Count() - 1);
      BindOrdinal<V>(info, getter, setter);
      return TPropertyOptions<T>(info);
    } else if constexpr (std::is_integral_v<V>) {
      TPropertyInfo& info = Add(std::move(name), IntegerKind<V>(), "Integer");
      BindOrdinal<V>(info, getter, setter);
      return TPropertyOptions<T>(info);
    } else if constexpr (std::is_floating_point_v<V>) {
      TPropertyInfo& info = Add(std::move(name), tkFloat, "Float");
      info.SetFloatType(std::is_same_v<V, float> ? ftSingle : std::is_same_v<V, double> ? ftDouble : ftExtended);
      info.Access().getFloat = [getter](const TObject& o) {
        return static_cast<long double>(std::invoke(getter, ObjectAs<T>(o)));
      };
      if constexpr (!std::is_same_v<Setter, NoSetter>)
        info.Access().setFloat = [s = *setter](TObject& o, long double v) {
          std::invoke(s, ObjectAs<T>(o), static_cast<V>(v));
        };
      return TPropertyOptions<T>(info);
    } else if constexpr (std::is_same_v<V, std::string> || std::is_same_v<V, std::u16string>) {
      constexpr bool wide = std::is_same_v<V, std::u16string>;
      TPropertyInfo& info = Add(std::move(name), wide ? tkWString : tkLString, "string");
      info.Access().getString = [getter](const TObject& o) -> std::string {
        if constexpr (wide) return Utf16ToWindows1252(std::invoke(getter, ObjectAs<T>(o)));
        else return std::invoke(getter, ObjectAs<T>(o));
      };
      if constexpr (!std::is_same_v<Setter, NoSetter>)
        info.Access().setString = [s = *setter](TObject& o, const std::string& v) {
          if constexpr (wide) std::invoke(s, ObjectAs<T>(o), Windows1252ToUtf16(v));
          else std::invoke(s, ObjectAs<T>(o), v);
        };
      return TPropertyOptions<T>(info);
    } else if constexpr (std::is_same_v<V, TVariant>) {
      TPropertyInfo& info = Add(std::move(name), tkVariant, "Variant");
      info.Access().getVariant = [getter](const TObject& o) { return TVariant(std::invoke(getter, ObjectAs<T>(o))); };
      if constexpr (!std::is_same_v<Setter, NoSetter>)
        info.Access().setVariant = [s = *setter](TObject& o, const TVariant& v) { std::invoke(s, ObjectAs<T>(o), v); };
      return TPropertyOptions<T>(info);
    } else {
      static_assert(sizeof(V) == 0, "unsupported property type: use Object(), Event() or Set()");
    }
  }

  template <class V>
  static constexpr TTypeKind IntegerKind() {
    if constexpr (std::is_same_v<V, char>) return tkChar;
    else if constexpr (std::is_same_v<V, char16_t>) return tkWChar;
    else if constexpr (sizeof(V) > 4) return tkInt64;
    else return tkInteger;
  }

  // Ordinal accessors for bool, enum and integer types. The ordinal of a
  // char is its byte value 0..255.
  template <class V, class Getter, class Setter>
  void BindOrdinal(TPropertyInfo& info, Getter getter, Setter* setter) {
    if constexpr (std::is_integral_v<V> && !std::is_same_v<V, bool>) {
      using Stored = std::conditional_t<std::is_same_v<V, char>, unsigned char, V>;
      if (info.Kind() != tkEnumeration && info.Kind() != tkSet) {
        constexpr bool wide = sizeof(Stored) == 8 && std::is_unsigned_v<Stored>;
        constexpr std::int64_t max = wide ? std::numeric_limits<std::int64_t>::max()
                                          : static_cast<std::int64_t>(std::numeric_limits<Stored>::max());
        info.SetOrdinalRange(static_cast<std::int64_t>(std::numeric_limits<Stored>::min()), max);
      }
      info.Access().getOrdinal = [getter](const TObject& o) {
        return static_cast<std::int64_t>(static_cast<Stored>(std::invoke(getter, ObjectAs<T>(o))));
      };
    } else {
      info.Access().getOrdinal = [getter](const TObject& o) {
        return static_cast<std::int64_t>(std::invoke(getter, ObjectAs<T>(o)));
      };
    }
    if constexpr (!std::is_same_v<Setter, NoSetter>)
      info.Access().setOrdinal = [s = *setter](TObject& o, std::int64_t v) {
        std::invoke(s, ObjectAs<T>(o), static_cast<V>(v));
      };
  }

  template <class Getter, class Setter>
  TPropertyOptions<T> DeclareObject(std::string name, Getter getter, Setter* setter) {
    using Result = std::invoke_result_t<Getter, T&>;
    using U = std::remove_cvref_t<std::remove_pointer_t<std::remove_cvref_t<Result>>>;
    static_assert(std::is_base_of_v<TPersistent, U>, "an object property holds a TPersistent");
    TPropertyInfo& info = Add(std::move(name), tkClass, U::StaticClass().Name());
    info.SetObjectClass(&U::StaticClass());
    info.Access().getObject = [getter](const TObject& o) -> TPersistent* {
      decltype(auto) held = std::invoke(getter, ObjectAs<T>(o));
      if constexpr (std::is_pointer_v<std::remove_cvref_t<Result>>) return const_cast<U*>(held);
      else return const_cast<U*>(&held);
    };
    if constexpr (!std::is_same_v<Setter, NoSetter>)
      info.Access().setObject = [s = *setter](TObject& o, TPersistent* value) {
        U* typed = value ? dynamic_cast<U*>(value) : nullptr;
        if (value && !typed)
          throw InvalidOperation("Cannot assign a " + value->ClassName() + " to a " + U::StaticClass().Name());
        if constexpr (std::is_invocable_v<Setter, T&, U*>) {
          std::invoke(s, ObjectAs<T>(o), typed);
        } else {
          if (!typed) throw InvalidOperation("Cannot assign nothing to a " + U::StaticClass().Name());
          std::invoke(s, ObjectAs<T>(o), *typed);
        }
      };
    return TPropertyOptions<T>(info);
  }

  template <class Reader, class Writer>
  static TStreamPropertyInfo::Accessors Custom(Reader read, Writer write) {
    TStreamPropertyInfo::Accessors access;
    access.read = [read](TObject& o, TReader& r) { std::invoke(read, ObjectAs<T>(o), r); };
    access.write = [write](const TObject& o, TWriter& w) { std::invoke(write, std::as_const(ObjectAs<T>(o)), w); };
    return access;
  }
  template <class Reader, class Writer>
  static TStreamPropertyInfo::Accessors Binary(Reader read, Writer write) {
    TStreamPropertyInfo::Accessors access;
    access.readBinary = [read](TObject& o, const Bytes& b) { std::invoke(read, ObjectAs<T>(o), b); };
    access.writeBinary = [write](const TObject& o) -> Bytes {
      return std::invoke(write, std::as_const(ObjectAs<T>(o)));
    };
    return access;
  }
  template <class HasData>
  static std::function<bool(const TObject&)> Predicate(HasData hasData) {
    return [hasData](const TObject& o) -> bool { return std::invoke(hasData, std::as_const(ObjectAs<T>(o))); };
  }
  void AddStream(std::string name, TStreamPropertyInfo::Accessors access, std::function<bool(const TObject&)> hasData) {
    access.hasData = std::move(hasData);
    members_.streamProperties.push_back(std::make_unique<TStreamPropertyInfo>(std::move(name), std::move(access)));
  }

  TClassMembers& members_;
};

// The descriptor of class T, whose published members `describe` declares
// (called once, when they are first asked for).
template <class T, class Describe>
TClassInfo DescribeClass(std::string name, const TClassInfo& parent, Describe describe) {
  return TClassInfo(std::move(name), &parent, [describe](TClassMembers& members) {
    TClassBuilder<T> builder(members);
    describe(builder);
  });
}

}  // namespace tintoral
