#include "tools/formshot/PropertyAssignment.h"

#include <cstdint>
#include <vector>

#include "runtime/Component.h"
#include "runtime/Exception.h"
#include "runtime/FormValueText.h"
#include "runtime/IdentMap.h"
#include "runtime/Identifiers.h"
#include "runtime/NumberText.h"
#include "runtime/PropertyInfo.h"
#include "runtime/Variant.h"
#include "runtime/Windows1252.h"

namespace tintoral {
namespace {

std::vector<std::string> SplitPath(std::string_view path) {
  std::vector<std::string> names;
  std::size_t start = 0;
  for (std::size_t dot; (dot = path.find('.', start)) != std::string_view::npos; start = dot + 1)
    names.emplace_back(path.substr(start, dot - start));
  names.emplace_back(path.substr(start));
  return names;
}

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// What an assignment's value is applied to: an object and one of its properties.
struct Target {
  TObject* object;
  const TPropertyInfo* property;
};

TComponent& FindNamedComponent(TComponent& root, const std::string& name) {
  if (SameText(name, root.Name())) return root;
  if (TComponent* component = root.FindComponent(name)) return *component;
  throw InvalidOperation("Unknown component '" + name + "'");
}

Target Resolve(TComponent& root, const std::string& path) {
  const std::vector<std::string> names = SplitPath(path);
  const auto unknown = [&] { return InvalidOperation("Unknown property '" + path + "'"); };
  if (names.size() < 2) throw unknown();
  TObject* object = &FindNamedComponent(root, names.front());
  for (std::size_t i = 1;; ++i) {
    const TPropertyInfo* property = object->ClassType().FindProperty(names[i]);
    if (!property) throw unknown();
    if (i + 1 == names.size()) return {object, property};
    if (property->Kind() != tkClass || !(object = property->GetObject(*object))) throw unknown();
  }
}

class ValueReader {
 public:
  ValueReader(TComponent& root, const Target& target, const TPropertyAssignment& assignment)
      : root_(root), target_(target), text_(assignment.value), path_(assignment.path) {}

  void Apply() {
    const TPropertyInfo& p = *target_.property;
    if (!p.HasSetter()) throw InvalidOperation("Property '" + path_ + "' is read-only");
    switch (p.Kind()) {
      case tkInteger:
      case tkInt64: p.SetOrdinal(*target_.object, InRange(Integer())); break;
      case tkChar:
      case tkWChar: p.SetOrdinal(*target_.object, InRange(Character())); break;
      case tkEnumeration: p.SetOrdinal(*target_.object, EnumValue(Trimmed(text_))); break;
      case tkSet: p.SetOrdinal(*target_.object, SetValue()); break;
      case tkFloat: p.SetFloat(*target_.object, Float()); break;
      case tkString:
      case tkLString:
      case tkWString: p.SetString(*target_.object, Utf8ToWindows1252(text_)); break;
      case tkVariant: p.SetVariant(*target_.object, Variant()); break;
      case tkClass: p.SetObject(*target_.object, Component()); break;
      default: throw InvalidOperation("Property '" + path_ + "' cannot be set from the command line");
    }
  }

 private:
  [[noreturn]] void Invalid() const {
    throw InvalidOperation("Invalid value '" + text_ + "' for property '" + path_ + "'");
  }

  std::int64_t InRange(std::int64_t value) const {
    if (value < target_.property->MinValue() || value > target_.property->MaxValue()) Invalid();
    return value;
  }

  std::int64_t Integer() const {
    const std::string text = Trimmed(text_);
    std::int32_t identValue = 0;
    if (IsValidIdent(text)) {
      if (!IdentToInteger(target_.property->TypeName(), text, identValue)) Invalid();
      return identValue;
    }
    try {
      return TextToInt64(text);
    } catch (const ConvertError&) {
      Invalid();
    }
  }

  std::int64_t Character() const {
    const std::string bytes = Utf8ToWindows1252(text_);
    if (bytes.size() != 1) Invalid();
    const auto byte = static_cast<unsigned char>(bytes[0]);
    return target_.property->Kind() == tkChar ? byte : Windows1252ToUnicode(byte);
  }

  std::int64_t EnumValue(const std::string& name) const {
    const int ordinal = target_.property->EnumType()->ValueOf(name);
    if (ordinal < 0) Invalid();
    return ordinal;
  }

  // "[fsBold,fsItalic]", "fsBold,fsItalic" or "[]".
  std::int64_t SetValue() const {
    std::string list = Trimmed(text_);
    if (!list.empty() && list.front() == '[') {
      if (list.back() != ']') Invalid();
      list = list.substr(1, list.size() - 2);
    }
    std::int64_t mask = 0;
    if (Trimmed(list).empty()) return mask;
    std::size_t start = 0;
    for (std::size_t comma;; start = comma + 1) {
      comma = list.find(',', start);
      mask |= std::int64_t{1} << EnumValue(Trimmed(std::string_view(list).substr(start, comma - start)));
      if (comma == std::string::npos) return mask;
    }
  }

  long double Float() const {
    const std::string text = Trimmed(text_);
    if (target_.property->FloatType() == ftDouble) {
      double value = 0;
      if (!ParseStreamFloat(text, value)) Invalid();
      return value;
    }
    long double value = 0;
    if (!ParseStreamFloat(text, value)) Invalid();
    return value;
  }

  // An integer, a float with "." or else the text as a string.
  TVariant Variant() const {
    const std::string text = Trimmed(text_);
    try {
      const std::int64_t integer = TextToInt64(text);
      if (integer >= INT32_MIN && integer <= INT32_MAX) return TVariant(static_cast<std::int32_t>(integer));
      return TVariant(integer);
    } catch (const ConvertError&) {
    }
    double real = 0;
    if (ParseStreamFloat(text, real)) return TVariant(real);
    return TVariant(Utf8ToWindows1252(text_));
  }

  TPersistent* Component() const {
    const std::string name = Trimmed(text_);
    if (SameText(name, "nil")) return nullptr;
    if (SameText(name, root_.Name())) return &root_;
    TComponent* component = root_.FindComponent(name);
    if (!component) throw InvalidOperation("Unknown component '" + name + "'");
    return component;
  }

  TComponent& root_;
  Target target_;
  const std::string& text_;
  const std::string& path_;
};

}  // namespace

TPropertyAssignment ParsePropertyAssignment(std::string_view text) {
  const std::size_t eq = text.find('=');
  if (eq == std::string_view::npos)
    throw InvalidOperation("Expected Component.Property=Value: '" + std::string(text) + "'");
  TPropertyAssignment assignment{Trimmed(text.substr(0, eq)), std::string(text.substr(eq + 1))};
  if (assignment.path.find('.') == std::string::npos)
    throw InvalidOperation("Expected Component.Property=Value: '" + std::string(text) + "'");
  return assignment;
}

void ApplyPropertyAssignment(TComponent& root, const TPropertyAssignment& assignment) {
  const Target target = Resolve(root, assignment.path);
  try {
    ValueReader(root, target, assignment).Apply();
  } catch (const InvalidOperation&) {
    throw;
  } catch (const Exception& error) {
    // A setter that refuses the value: report it with the property's name.
    throw InvalidOperation("Cannot set '" + assignment.path + "' to '" + assignment.value + "': " + error.Message());
  }
}

}  // namespace tintoral
